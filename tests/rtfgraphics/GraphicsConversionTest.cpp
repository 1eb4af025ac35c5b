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
        EXPECT_EQ(Count(rtf, "\\jpegblip\nFFD8FF"), 3u);
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
