#include <gtest/gtest.h>

#include "support/RtfTestXml.h"
#include "rtftext/LineWriter.h"
#include "rtf/TextRun.h"

using namespace rtftest;
using testpdf::TempDir;

namespace {

// Reads page 1 of a one-page document holding the given text elements.
struct Page {
    TempDir dir;
    std::unique_ptr<RtfEngine> doc;
    explicit Page(const std::string& texts, int rotation = 0) {
        doc = Load(dir, Root() + PageLine(1, 1188, 918, rotation) + FontSpec(0, 10, "Times") + Margin() + texts +
                            "</page>\n" + kEnd);
        if (doc) doc->ReadPage(1);
    }
    CRtfPageFlow& flow() { return doc->Layout()->flow; }
    size_t items() { return doc->Page()->items.size(); }
};

std::string Word(int left, int top, int width, const std::string& text, int height = 15) {
    return Text(top, left, width, height, 0, text);
}

}  // namespace

TEST(PagePlacement, DuplicatesAndOverprintsAreRefused) {
    Page same(Word(50, 100, 40, "Hello") + Word(50, 100, 40, "Hello"));
    ASSERT_TRUE(same.doc);
    EXPECT_EQ(same.items(), 1u);
    EXPECT_EQ(same.flow().lines.size(), 1u);
    EXPECT_FALSE(same.flow().lines[0]->segments);

    Page bold(Word(50, 100, 40, "Hello") + Word(51, 100, 40, "Hello"));
    EXPECT_EQ(bold.items(), 1u);
}

TEST(PagePlacement, ItemsOutsideThePageAndNarrowItems) {
    Page p(Word(50, 1200, 40, "Below") + Word(50, 100, 1, "|") + Word(50, 200, 40, "Kept") +
           Word(50, 1180, 40, "Low"));
    ASSERT_TRUE(p.doc);
    // Wholly below the page: refused; narrower than 2 units: refused by the flow. A word
    // that starts on the page and runs past its foot is kept, cut to the page.
    EXPECT_EQ(p.items(), 2u);
    ASSERT_EQ(p.flow().lines.size(), 2u);
    EXPECT_EQ(RunText(p.flow().lines[0]->runs), "Kept");
    EXPECT_EQ(RunText(p.flow().lines[1]->runs), "Low");
    EXPECT_LE(p.flow().lines[1]->box.bottom, 1188);
}

TEST(PagePlacement, PieceOverlappingASegmentPartlyMergesBeforeIt) {
    Page p(Word(50, 100, 40, "one") + Word(95, 100, 100, "two") + Word(70, 106, 50, "x"));
    ASSERT_TRUE(p.doc);
    ASSERT_EQ(p.flow().lines.size(), 1u);
    CRtfXmlText* head = p.flow().lines[0];
    ASSERT_TRUE(head->segments);
    ASSERT_EQ(head->segments->size(), 2u);
    EXPECT_EQ(RunText((*head->segments)[0]->runs), "x");
    EXPECT_EQ(RunText((*head->segments)[1]->runs), "two");
    // The merged item belongs to the page like every other.
    EXPECT_EQ(p.items(), 3u);
}

TEST(LineJoin, WordsOfALineJoinTheFirstItem) {
    Page p(Word(50, 100, 40, "one") + Word(95, 100, 30, "two") + Word(130, 101, 40, "three") + Word(201, 100, 30, "far"));
    ASSERT_TRUE(p.doc);
    ASSERT_EQ(p.flow().lines.size(), 2u);
    CRtfXmlText* head = p.flow().lines[0];
    ASSERT_TRUE(head->segments);
    EXPECT_EQ(head->segments->size(), 2u);
    EXPECT_EQ(head->lineBox, (RtfRect{50, 100, 170, 116}));
    // 31 units right of the line's right edge: a line of its own.
    EXPECT_EQ(RunText(p.flow().lines[1]->runs), "far");
    EXPECT_EQ(p.flow().lines[1]->lineBox, p.flow().lines[1]->box);
}

TEST(LineJoin, ItemsAboveTheLine) {
    // Reaching less than 30 % into the line: cut back to its top, a new line.
    Page cut(Word(50, 100, 40, "line") + Word(50, 86, 40, "above"));
    ASSERT_TRUE(cut.doc);
    ASSERT_EQ(cut.flow().lines.size(), 2u);
    CRtfXmlText* above = cut.flow().lines[1];
    EXPECT_EQ(above->box.bottom, 100);

    // Entirely above and right of the last line: a line of its own.
    Page right(Word(50, 100, 40, "line") + Word(200, 50, 40, "note"));
    ASSERT_EQ(right.flow().lines.size(), 2u);
}

TEST(LineJoin, SmallPiecesInsideTheLineJoinAndRotatedItemsGoLoose) {
    Page p(Word(50, 100, 40, "x", 20) + Word(92, 103, 6, "2", 10) + Text(300, 50, 1, 60, 0, "up", 0, 3));
    ASSERT_TRUE(p.doc);
    ASSERT_EQ(p.flow().lines.size(), 1u);
    ASSERT_TRUE(p.flow().lines[0]->segments);
    EXPECT_EQ(p.flow().lines[0]->segments->size(), 1u);
    ASSERT_EQ(p.flow().loose.size(), 1u);
    EXPECT_EQ(p.flow().loose[0]->rotation, 270);
    p.flow().loose[0]->page = p.doc->Page();
    EXPECT_NE(WriteItem(*p.flow().loose[0], p.doc->Layout()->shapeChain).find("{up}"), std::string::npos);
}

TEST(LineJoin, RotatedPagesPlaceTheirOwnOrientation) {
    Page p(Text(100, 50, 40, 15, 0, "down", 0, 3) + Text(200, 50, 40, 15, 0, "flat"), 90);
    ASSERT_TRUE(p.doc);
    ASSERT_EQ(p.flow().lines.size(), 1u);
    EXPECT_EQ(RunText(p.flow().lines[0]->runs), "down");
    ASSERT_EQ(p.flow().loose.size(), 1u);
    EXPECT_EQ(RunText(p.flow().loose[0]->runs), "flat");
}

// A damaged file's absurd font size is fitted to the box in a few measurements
// (it took seconds per word), and lands where stepping down from a real size does.
TEST(PagePlacement, AbsurdFontSizesFitTheBoxLikeRealOnes) {
    auto fitted = [](int size) {
        TempDir dir;
        auto doc = Load(dir, Root() + PageLine(1, 1188, 918, 0) + FontSpec(0, size, "Times") + Margin() +
                                 Word(50, 100, 40, "Hello") + "</page>\n" + kEnd);
        if (!doc) return -1;
        doc->ReadPage(1);
        if (doc->Layout()->flow.lines.empty()) return -1;
        return static_cast<int>(doc->Layout()->flow.lines[0]->runs.front()->fontSize);
    };
    const int real = fitted(190);
    ASSERT_GT(real, 5);
    ASSERT_LT(real, 190);
    EXPECT_EQ(fitted(11100), real);
    EXPECT_EQ(fitted(65000), real);
}
