#include <gtest/gtest.h>

#include <cstdlib>

#include "rtf/CRtfPage.h"
#include "rtf/RecordedGraphics.h"
#include "rtf/ShapeIds.h"
#include "rtfgraphics/PageGraphicsWriter.h"

namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// A recorded path as the page PostScript device writes it.
struct Shape {
    CRtfPage page{nullptr, 1};
    ShapeIds ids;
    VectorShape line;

    std::string Convert(const std::string& state, const std::string& path, const std::string& op) {
        line.psText = "[1.5 0 0 1.5 0 0] cm\n[] 0 d\n0 i\n0 j\n0 J\n10 M\n1 w\n" + state + path + op + "\n";
        line.drawingOrder = 4;
        ConvertShapeToRtf(line, &page, ids);
        return line.rtfText;
    }
};

TEST(VectorShape, AFilledRectangleIsOneFreeformBehindTheText) {
    Shape s;
    std::string rtf = s.Convert("0 g\n", "50 50 m\n150 50 l\n150 90 l\n50 90 l\nh\n", "f");
    EXPECT_EQ(Count(rtf, "{\\shp{"), 1u);
    EXPECT_NE(rtf.find("\\shplid2028\\shpz4\\shpbxpage\\shpbypage"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\sn shapeType}{\\sv 0}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sn shapePath}{\\sv 4}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sn fFilled}{\\sv 1}}\n{\\sp{\\sn fillColor}{\\sv 0}}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sn fLine}{\\sv 0}}{\\sp{\\sn lineColor}{\\sv 0}}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sn fBehindDocument}{\\sv 1}"), std::string::npos);
    EXPECT_NE(rtf.find("\\shpwr3"), std::string::npos);
    EXPECT_EQ(s.line.Box(), (RtfRect{75, 657, 225, 717}));
    EXPECT_EQ(rtf.find("lineWidth"), std::string::npos) << "a fill has no line";
}

TEST(VectorShape, StrokesCarryWidthColourAndDashing) {
    Shape s;
    std::string rtf = s.Convert("0 0 1 RG\n2 w\n[3 2] 0 d\n", "10 10 m\n200 10 l\n", "S");
    EXPECT_NE(rtf.find("{\\sn lineWidth}{\\sv 25400}}\n{\\sp{\\sn lineColor}{\\sv 16711680}}\n"
                       "{\\sp{\\sn lineDashing}{\\sv 2}}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("{\\sn fLine}{\\sv 1}}{\\sp{\\sn lineColor}{\\sv 16711680}}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sn fFilled}{\\sv 0}"), std::string::npos);
    EXPECT_NE(s.Convert("[] 0 d\n", "10 10 m\n200 10 l\n", "S").find("lineDashing}{\\sv 0}"), std::string::npos);
}

// The dash style is the one nearest to the pattern measured in line widths,
// with round or square caps lengthening every dash by the width.
TEST(VectorShape, DashPatternsTakeTheNearestDashStyle) {
    Shape s;
    auto dashing = [&s](const std::string& state) {
        std::string rtf = s.Convert(state, "10 10 m\n200 10 l\n", "S");
        const std::string key = "lineDashing}{\\sv ";
        size_t at = rtf.find(key);
        return at == std::string::npos ? -1 : std::atoi(rtf.c_str() + at + key.size());
    };
    EXPECT_EQ(dashing("[3 1] 0 d\n"), 1) << "dash";
    EXPECT_EQ(dashing("[1 1] 0 d\n"), 2) << "dot";
    EXPECT_EQ(dashing("[3 1 1 1] 0 d\n"), 3) << "dash dot";
    EXPECT_EQ(dashing("[4 3 1 3] 0 d\n"), 8) << "sparse dash dot";
    EXPECT_EQ(dashing("[1 3] 0 d\n"), 5) << "sparse dots";
    EXPECT_EQ(dashing("[9 3] 0 d\n"), 7) << "long dash";
    EXPECT_EQ(dashing("[9 3 1 3 1 3] 0 d\n"), 10) << "long dash dot dot";
    EXPECT_EQ(dashing("[3] 0 d\n"), 6) << "an odd pattern repeats dash for gap";
    EXPECT_EQ(dashing("4 w\n[12 4] 0 d\n"), 1) << "the same dashes four times as wide";
    EXPECT_EQ(dashing("2 w\n1 J\n[0 4] 0 d\n"), 2) << "round dots";
    EXPECT_EQ(dashing("2 w\n1 J\n[0 2] 0 d\n"), 0) << "dots that touch";
    EXPECT_EQ(dashing("[0 0] 0 d\n"), 0);
}

TEST(VectorShape, ColoursArePackedRedFirst) {
    Shape s;
    EXPECT_NE(s.Convert("0 1 1 0 k\n", "10 10 50 50 re\n", "f").find("fillColor}{\\sv 255}"), std::string::npos);
    EXPECT_NE(s.Convert("0 0 0 1 k\n", "10 10 50 50 re\n", "f").find("fillColor}{\\sv 0}"), std::string::npos);
    EXPECT_NE(s.Convert("1 0 0 rg\n", "10 10 50 50 re\n", "f").find("fillColor}{\\sv 255}"), std::string::npos);
    EXPECT_NE(s.Convert("0.5 g\n", "10 10 50 50 re\n", "f").find("fillColor}{\\sv 8355711}"), std::string::npos);
}

TEST(VectorShape, WhiteEvenOddFillsAreDroppedButWhiteFillsKept) {
    Shape s;
    EXPECT_TRUE(s.Convert("1 g\n", "10 10 50 50 re\n", "f*").empty());
    EXPECT_FALSE(ConvertShapeToRtf(s.line, &s.page, s.ids));
    EXPECT_NE(s.Convert("1 g\n", "10 10 50 50 re\n", "f").find("fillColor}{\\sv 16777215}"), std::string::npos);
}

TEST(VectorShape, AThinFilledRectangleIsOutlinedInItsOwnColour) {
    Shape s;
    std::string rtf = s.Convert("1 0 0 rg\n", "10 10 100 0.5 re\n", "f");
    EXPECT_NE(rtf.find("{\\sn fLine}{\\sv 1}}{\\sp{\\sn lineColor}{\\sv 255}}"), std::string::npos) << rtf;
}

TEST(VectorShape, EveryStrokedSubpathIsAShapeOfItsOwn) {
    Shape s;
    std::string rtf = s.Convert("", "0 0 m\n50 0 l\n0 20 m\n50 20 l\n", "S");
    EXPECT_EQ(Count(rtf, "{\\shp{"), 2u);
    EXPECT_EQ(s.line.shapesWritten, 2);
    EXPECT_NE(rtf.find("\\shplid2028\\shpz4"), std::string::npos);
    EXPECT_NE(rtf.find("\\shplid2029\\shpz4"), std::string::npos);
}

TEST(VectorShape, ClipPathsNeverJoinTheShape) {
    Shape s;
    s.line.psText = "0 0 612 792 re\nW\n[1.5 0 0 1.5 0 0] cm\n1 w\n0 g\n10 10 m\n60 10 l\n60 60 l\nh\nf\n";
    ASSERT_TRUE(ConvertShapeToRtf(s.line, &s.page, s.ids));
    EXPECT_EQ(s.line.rtfText.find("8;5;"), s.line.rtfText.find("pVerticies}{\\sv ") + 16);
}

TEST(VectorShape, NothingToDrawGivesNoGroupAndTakesNoId) {
    Shape s;
    EXPECT_TRUE(s.Convert("0 g\n", "h\n", "f").empty());
    s.line.psText.clear();
    EXPECT_FALSE(ConvertShapeToRtf(s.line, &s.page, s.ids));
    VectorShape empty;
    EXPECT_FALSE(ConvertShapeToRtf(empty, nullptr, s.ids));
    EXPECT_EQ(s.ids.NextGraphic(), 2028);
}

// A quarter turn the other way leaves the matrix's diagonal empty; the line keeps its width.
TEST(VectorShape, LinesOnTurnedPagesKeepTheirWidth) {
    Shape s;
    s.line.psText = "[0 1.5 -1.5 0 1188 0] cm\n2 w\n0 G\n10 10 m\n10 100 l\nS\n";
    ASSERT_TRUE(ConvertShapeToRtf(s.line, &s.page, s.ids));
    EXPECT_NE(s.line.rtfText.find("lineWidth}{\\sv 25400}"), std::string::npos);
}

}  // namespace

namespace {

// Numbers of a damaged file far beyond any page still give whole numbers, never undefined ones.
TEST(VectorShape, NumbersBeyondAnyPageAreHeldWithinRange) {
    Shape s;
    std::string rtf = s.Convert("1e300 w\n", "1e300 0 m\n-1e300 nan l\n", "S");
    EXPECT_NE(rtf.find("{\\shp{"), std::string::npos);
    EXPECT_LE(s.line.Box().right, 1000000000);
    EXPECT_GE(s.line.Box().left, -1000000000);
}

}  // namespace
