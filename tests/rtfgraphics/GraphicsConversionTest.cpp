#include <gtest/gtest.h>

#include <filesystem>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "rtf/RtfUnits.h"
#include "rtfgraphics/ShapesPdf.h"
#include "support/TempDir.h"

using namespace testpdf;

namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

class GraphicsConversion : public ::testing::Test {
protected:
    void SetUp() override {
        ShapesPdf().Save(dir / "shapes.pdf");
        RulePdf().Save(dir / "rule.pdf");
    }
    std::string Convert(const std::string& name, int mode, bool removeImages = false) {
        MyConvertPara para;
        para.outputDir = dir.path();
        para.inputPath = dir / (name + ".pdf");
        para.jobMode = mode;
        para.removeImages = removeImages ? 1 : 0;
        ConvertFile(para);
        return ReadFile(dir / (name + ".rtf"));
    }
    TempDir dir;
};

TEST_F(GraphicsConversion, PicturesAndShapesComeBeforeThePageSetupInFlowingAndAsIs) {
    for (int mode : {ModeFlowingText, ModeAsIs}) {
        SCOPED_TRACE(mode);
        std::string rtf = Convert("shapes", mode);
        EXPECT_EQ(Count(rtf, "{\\sp{\\sn shapeType}{\\sv 75}}"), 3u) << "two pictures on page 1, one on page 3";
        EXPECT_EQ(Count(rtf, "\\jpegblip\nFFD8FF"), 1u) << "the JPEG as stored";
        EXPECT_EQ(Count(rtf, "\\pngblip\n89504E47"), 2u) << "the raw picture, on pages 1 and 3";
        EXPECT_GE(Count(rtf, "{\\sp{\\sn shapeType}{\\sv 0}}"), 4u) << "three rectangles and a line";
        // The red rectangle at (50, 50) in points, 100 by 40, on a page 1188 units high.
        char red[96];
        std::snprintf(red, sizeof red, "\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d", ToTwips(75), ToTwips(1053),
                      ToTwips(225), ToTwips(1113));
        size_t redShape = rtf.find(red);
        ASSERT_NE(redShape, std::string::npos);
        EXPECT_NE(rtf.find("fillColor}{\\sv 255}", redShape), std::string::npos);
        EXPECT_NE(rtf.find("{\\sn lineWidth}{\\sv 25400}}\n{\\sp{\\sn lineColor}{\\sv 16711680}}"), std::string::npos)
            << "the blue line 2 points wide";
        EXPECT_LT(rtf.find("{\\shp"), rtf.find("\\paperw"));
        // Page 2 has words only; page 3's picture comes after page 2's break.
        size_t page3 = rtf.find("\\sbkpage", rtf.find("\\sbkpage") + 1);
        ASSERT_NE(page3, std::string::npos);
        EXPECT_EQ(Count(rtf.substr(page3), "shapeType}{\\sv 75}"), 1u);
        EXPECT_NE(rtf.find("\\shplid2028"), std::string::npos);
        EXPECT_EQ(Count(rtf, "\\shplid2028"), 1u) << "ids are never given twice in a document";
        EXPECT_EQ(Convert("shapes", mode), rtf) << "a second document gives the same bytes";
    }
}

// Rectangles arrive as rectangles: a hairline rule is outlined in its own
// colour, so that it does not vanish when its height rounds to nothing.
TEST_F(GraphicsConversion, AHairlineRectangleIsOutlinedInItsColour) {
    PdfWriter w;
    w.AddPage("0 0 1 rg 72 300 200 0.4 re f\n0 1 0 rg 72 200 200 30 re f\n" + TextLine("words", 72, 500));
    w.Save(dir / "hairline.pdf");
    std::string rtf = Convert("hairline", ModeAsIs);
    EXPECT_EQ(Count(rtf, "pVerticies}{\\sv 8;5;"), 2u) << rtf;
    EXPECT_NE(rtf.find("fillColor}{\\sv 16711680}}\n{\\sp{\\sn fLine}{\\sv 1}}{\\sp{\\sn lineColor}{\\sv 16711680}}"),
              std::string::npos);
    EXPECT_NE(rtf.find("fillColor}{\\sv 65280}}\n{\\sp{\\sn fLine}{\\sv 0}}"), std::string::npos);
}

// Dashed and dotted lines keep their look, and what the page's clip hides is
// not drawn: a crop mark beside the page, a rectangle outside a small clip.
// A rectangle partly inside the clip is kept whole.
TEST_F(GraphicsConversion, DashesStayDashesAndClippedAwayPathsAreDropped) {
    PdfWriter w;
    w.AddPage("q 0 0 612 792 re W n 0 G 0.5 w -30 -30 m -10 -10 l S Q\n"
              "q 2 w [16 6] 0 d 72 700 m 500 700 l S Q\n"
              "q 2 w 1 J [0 4] 0 d 72 650 m 500 650 l S Q\n"
              "q 2 w 72 600 m 500 600 l S Q\n"
              "q 100 100 100 100 re W n 1 0 0 rg 300 300 50 50 re f 0 1 0 rg 150 150 100 100 re f Q\n" +
              TextLine("words", 72, 500));
    w.Save(dir / "dashclip.pdf");
    std::string rtf = Convert("dashclip", ModeAsIs);
    EXPECT_NE(rtf.find("lineDashing}{\\sv 7}"), std::string::npos) << "long dashes";
    EXPECT_NE(rtf.find("lineDashing}{\\sv 2}"), std::string::npos) << "round dots";
    EXPECT_NE(rtf.find("lineDashing}{\\sv 0}"), std::string::npos) << "the solid line";
    EXPECT_EQ(Count(rtf, "lineDashing"), 3u) << "no crop mark";
    EXPECT_EQ(rtf.find("fillColor}{\\sv 255}"), std::string::npos) << "the red rectangle outside the clip";
    EXPECT_EQ(Count(rtf, "fillColor}{\\sv 65280}"), 1u) << "the green one across its edge";
}

TEST_F(GraphicsConversion, RemovedImagesLeaveTheShapesOnly) {
    std::string rtf = Convert("shapes", ModeAsIs, true);
    EXPECT_EQ(Count(rtf, "shapeType}{\\sv 75}"), 0u);
    EXPECT_EQ(rtf.find("\\pict"), std::string::npos);
    EXPECT_GE(Count(rtf, "shapeType}{\\sv 0}"), 4u);
}

TEST_F(GraphicsConversion, TextLayoutsCarryNoShapes) {
    for (int mode : {ModeFormattedText, ModeTextOnly}) {
        std::string rtf = Convert("shapes", mode);
        EXPECT_EQ(rtf.find("\\shp"), std::string::npos) << mode;
        EXPECT_NE(rtf.find("beside"), std::string::npos) << mode;
    }
}

TEST_F(GraphicsConversion, ARuleUnderWordsUnderlinesThemInFlowingTextOnly) {
    std::string flowing = Convert("rule", ModeFlowingText);
    EXPECT_NE(flowing.find("\\ul {underlined}\\ul0"), std::string::npos) << flowing;
    EXPECT_NE(flowing.find("\\ul {words}\\ul0"), std::string::npos);
    EXPECT_EQ(flowing.find("\\ul {plain}"), std::string::npos);
    EXPECT_EQ(flowing.find("\\shp"), std::string::npos) << "the rule is the underline now, not a shape";

    std::string asIs = Convert("rule", ModeAsIs);
    EXPECT_EQ(asIs.find("\\ul "), std::string::npos);
    EXPECT_EQ(Count(asIs, "shapeType}{\\sv 0}"), 1u) << "the rule stays a shape";
}

}  // namespace
