#include <gtest/gtest.h>

#include "rtf/CRtfPage.h"
#include "support/RtfTestItems.h"
#include "rtftext/RunWriter.h"
#include "rtftext/LineWriter.h"
#include "rtftext/TextShapeWriter.h"
#include "layout/TextShapeRect.h"

using rtftest::ItemSet;

namespace {

// Items on one page, turned by the given quarter.
struct TurnedItems : ItemSet {
    CRtfPage page{nullptr, 1};
    TextShapeChain chain;

    CRtfXmlText* Turned(RtfRect box, const std::string& text, int rotation, int angle = 0) {
        CRtfXmlText* item = Add(box, {text});
        item->rotation = rotation;
        item->angle = angle;
        item->page = &page;
        return item;
    }
};

std::string Property(const std::string& name, const std::string& value) {
    return "{\\sp{\\sn " + name + "}{\\sv " + value + "}}";
}

}  // namespace

TEST(TextShape, RotationAgainstThePageSelectsTheShapeAndTheAngleOnlyTurnsIt) {
    TurnedItems set;
    CRtfXmlText* up = set.Turned({100, 500, 160, 515}, "up", 90);
    // The words cover 1223..1423 x 5866..6692 once turned: the box before its turn is
    // as long as the words and as high as their line, about the same centre.
    EXPECT_EQ(TextShapeRect(*up, set.chain), (RtfRect{1223, 5866, 1423, 6692}));
    std::string shape = WriteItem(*up, set.chain);
    EXPECT_EQ(shape.rfind("\n{\\shp{\\*\\shpinst\\shpleft910\\shptop6179\\shpright1736\\shpbottom6379", 0), 0u) << shape;
    // The extraction writes angle 0 for every turned piece: its quarter turn counts, as 270 degrees clockwise.
    EXPECT_NE(shape.find(Property("rotation", "17694720")), std::string::npos);
    EXPECT_NE(shape.find(Property("shapeType", "202")), std::string::npos);
    // The words are text of the box, in their own fonts and colours, not a drawing of them.
    EXPECT_TRUE(shape.ends_with("{\\shptxt \\pard\\plain " + WriteRuns(up->runs, 0) + "\\par}}}\n")) << shape;

    // On a page turned the same way the piece is ordinary text; upright text there gets no shape.
    TurnedItems turnedPage;
    turnedPage.page.rotation = 90;
    CRtfXmlText* line = turnedPage.Turned({100, 500, 160, 515}, "line", 90);
    EXPECT_EQ(WriteItem(*line, turnedPage.chain), WriteRuns(line->runs, 0));
    CRtfXmlText* flat = turnedPage.Turned({100, 500, 160, 515}, "flat", 0);
    EXPECT_EQ(WriteItem(*flat, turnedPage.chain), "");

    // An angle on an unturned piece is no reason for a shape.
    CRtfXmlText* tilted = set.Turned({100, 600, 160, 615}, "tilted", 0, 30);
    EXPECT_EQ(WriteItem(*tilted, set.chain), WriteRuns(tilted->runs, 0));

    // Upside down: rotation 180, placed left of the box by two and a half widths and the margin.
    set.page.margins.left = 36;
    CRtfXmlText* flipped = set.Turned({200, 300, 260, 315}, "Flip", 180);
    EXPECT_EQ(TextShapeRect(*flipped, set.chain), (RtfRect{186, 4000, 2186, 4200}));
    std::string upsideDown = WriteTextShape(*flipped, set.chain);
    EXPECT_NE(upsideDown.find("\\shpleft186\\shptop4000\\shpright2186\\shpbottom4200"), std::string::npos) << upsideDown;
    EXPECT_NE(upsideDown.find(Property("rotation", "11796480")), std::string::npos);
}

TEST(TextShape, PiecesOfARotatedLineFollowOneAnother) {
    // Reading up the page: the second piece sits directly above the first shape.
    TurnedItems up;
    RtfRect first = TextShapeRect(*up.Turned({100, 500, 160, 515}, "one", 90), up.chain);
    RtfRect second = TextShapeRect(*up.Turned({100, 430, 150, 445}, "two", 90), up.chain);
    EXPECT_EQ(second.bottom, first.top);
    EXPECT_EQ(second.Height(), 693);
    EXPECT_EQ(second.left, first.left);

    // Reading down the page (written as 270 or -90): the second piece starts at the first one's bottom.
    TurnedItems down;
    RtfRect a = TextShapeRect(*down.Turned({300, 100, 360, 115}, "one", 270), down.chain);
    EXPECT_EQ(a, (RtfRect{4000, 1333, 4226, 2479}));
    RtfRect b = TextShapeRect(*down.Turned({300, 170, 360, 185}, "two", 270), down.chain);
    EXPECT_EQ(b.top, a.bottom);
    EXPECT_EQ(b.Height(), a.Height());

    // A piece whose direction from the last one is more than 5 degrees off keeps its own place.
    RtfRect aside = TextShapeRect(*down.Turned({400, 240, 460, 255}, "aside", 270), down.chain);
    EXPECT_EQ(aside, (RtfRect{5333, 3200, 5559, 4346}));
    // A piece at the same place as the last one has no direction, and keeps its own place too.
    RtfRect again = TextShapeRect(*down.Turned({400, 240, 460, 255}, "again", 270), down.chain);
    EXPECT_EQ(again, aside);

    // Chaining belongs to the page: the first piece of another page is never moved.
    TurnedItems other;
    EXPECT_EQ(TextShapeRect(*other.Turned({300, 170, 360, 185}, "two", 270), other.chain),
              (RtfRect{4000, 2266, 4226, 3412}));
}

TEST(TextShape, NoRectangleLeavesTheChainAsItWas) {
    TurnedItems set;
    RtfRect first = TextShapeRect(*set.Turned({100, 500, 160, 515}, "one", 90), set.chain);
    // Rotation 90 turned by more than a quarter: no rectangle, no shape.
    CRtfXmlText* odd = set.Turned({100, 430, 150, 445}, "odd", 90, 120);
    EXPECT_EQ(WriteTextShape(*odd, set.chain), "");
    EXPECT_EQ(set.chain.lastShape, first);
    EXPECT_EQ(set.chain.lastAngle, 90);
    // Nor does a box far beyond any page (a hostile file's), which would overflow the sums.
    EXPECT_EQ(WriteTextShape(*set.Turned({2000000000, 0, 2100000000, 15}, "far", 90), set.chain), "");
    EXPECT_EQ(set.chain.lastShape, first);
}

