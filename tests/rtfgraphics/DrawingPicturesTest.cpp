// Dense drawings become one picture behind their words; a table's rules stay shapes.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "rtf/RtfUnits.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/TempDir.h"
#include "support/TestImages.h"

using namespace testpdf;

namespace {

const std::string kShape = "{\\sn shapeType}{\\sv 0}";
const std::string kPicture = "{\\sn shapeType}{\\sv 75}";

// The colour of a heat map's cell: 20 colours over the map, or one of its own for each.
Rgb CellColour(int col, int row, bool allApart) {
    return allApart ? Rgb{col * 10, row * 10, 128} : Rgb{(col % 5) * 51, (row % 4) * 64, 128};
}

// A heat map of 500 small cells, 25 by 20, each row labelled at its left.
PdfWriter ChartPdf(bool allColoursApart = false) {
    std::string content;
    char buf[160];
    for (int row = 0; row < 20; ++row) {
        for (int col = 0; col < 25; ++col) {
            const Rgb c = CellColour(col, row, allColoursApart);
            std::snprintf(buf, sizeof buf, "%.4f %.4f %.4f rg %d %d 14 10 re f\n", c.r / 255.0, c.g / 255.0,
                          c.b / 255.0, 160 + col * 14, 700 - row * 10);
            content += buf;
        }
        content += TextLine("label" + std::to_string(row + 1), 72, 702 - row * 10, 8);
    }
    PdfWriter w;
    w.AddPage(content);
    return w;
}

// A table of 12 rows and 4 columns ruled by 18 thin lines, a word in every cell.
PdfWriter TablePdf() {
    std::string content = "0 0 0 RG 0.5 w\n";
    char buf[96];
    for (int row = 0; row <= 12; ++row) {
        std::snprintf(buf, sizeof buf, "72 %d m 472 %d l S\n", 700 - row * 20, 700 - row * 20);
        content += buf;
    }
    for (int col = 0; col <= 4; ++col) {
        std::snprintf(buf, sizeof buf, "%d 700 m %d 460 l S\n", 72 + col * 100, 72 + col * 100);
        content += buf;
    }
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 4; ++col) content += TextLine("cell", 80 + col * 100, 686 - row * 20, 10);
    PdfWriter w;
    w.AddPage(content);
    return w;
}

// An axial shading from red to blue filling a box, with a caption above it.
PdfWriter ShadingPdf() {
    PdfWriter w;
    Page& page = w.AddPage("q 100 400 300 150 re W n /Sh1 sh Q\n" + TextLine("caption", 100, 600));
    page.extraResources =
        "/Shading << /Sh1 << /ShadingType 2 /ColorSpace /DeviceRGB /Coords [100 0 400 0] /Extend [true true] "
        "/Function << /FunctionType 2 /Domain [0 1] /C0 [1 0 0] /C1 [0 0 1] /N 1 >> >> >>";
    return w;
}

class DrawingPictures : public ::testing::Test {
protected:
    std::string Convert(const PdfWriter& pdf, int mode, bool removeImages = false) {
        pdf.Save(dir / "drawing.pdf");
        MyConvertPara para;
        para.outputDir = dir.path();
        para.inputPath = dir / "drawing.pdf";
        para.jobMode = mode;
        para.removeImages = removeImages ? 1 : 0;
        ConvertFile(para);
        return ReadFile(dir / "drawing.rtf");
    }
    TempDir dir;
};

TEST_F(DrawingPictures, AChartOfFiveHundredBarsIsOnePictureWithItsLabelsAsText) {
    for (int mode : {ModeFlowingText, ModeAsIs}) {
        SCOPED_TRACE(mode);
        std::string rtf = Convert(ChartPdf(), mode);
        EXPECT_EQ(CountOccurrences(rtf, kPicture), 1u);
        EXPECT_EQ(CountOccurrences(rtf, "\\pngblip\n89504E47"), 1u) << "flat colours go as PNG";
        EXPECT_EQ(CountOccurrences(rtf, kShape), 0u);
        const std::string words = RtfPlainText(rtf);
        for (int label = 1; label <= 20; ++label)
            EXPECT_NE(words.find("label" + std::to_string(label) + " "), std::string::npos) << label;
        // The picture lies behind the words, where the cells are: from x 160 to 510 points.
        const size_t picture = rtf.find(kPicture);
        ASSERT_NE(picture, std::string::npos);
        int left = 0, right = 0;
        const size_t at = rtf.rfind("\\shpleft", picture);
        ASSERT_EQ(std::sscanf(rtf.c_str() + at, "\\shpleft%d\\shptop%*d\\shpright%d", &left, &right), 2);
        EXPECT_NEAR(left, ToTwips(240), 30);
        EXPECT_NEAR(right, ToTwips(765), 30);
        EXPECT_NE(rtf.find("fBehindDocument}{\\sv 1}", picture), std::string::npos);
    }
}

// A figure of few colours is written with a palette, one of many colours as RGB:
// either way every cell keeps its exact colour.
TEST_F(DrawingPictures, FigurePicturesKeepTheirColoursWithOrWithoutAPalette) {
    for (bool allApart : {false, true}) {
        SCOPED_TRACE(allApart);
        const std::string rtf = Convert(ChartPdf(allApart), ModeFlowingText);
        const size_t blip = rtf.find("\\pngblip\n");
        ASSERT_NE(blip, std::string::npos);
        std::string png;
        for (size_t i = blip + 9; i + 1 < rtf.size() && std::isxdigit(static_cast<unsigned char>(rtf[i])); i += 2)
            png += static_cast<char>(std::stoi(rtf.substr(i, 2), nullptr, 16));
        ASSERT_GT(png.size(), 26u);
        EXPECT_EQ(png[25], allApart ? 2 : 3) << "the PNG colour type: 2 RGB, 3 palette";
        WriteFile(dir / "figure.png", png);
        RgbImage image;
        ASSERT_TRUE(ReadImage(dir / "figure.png", image));
        // The picture spans the map's 350 x 200 points; sample the middle of each cell.
        for (int row = 0; row < 20; row += 3)
            for (int col = 0; col < 25; col += 4) {
                const Rgb want = CellColour(col, row, allApart);
                const Rgb got = image.At((col * 14 + 7) * image.width / 350, (row * 10 + 5) * image.height / 200);
                EXPECT_TRUE(Near(got, want, 2)) << col << "," << row << ": " << got.r << " " << got.g << " " << got.b;
            }
    }
}

TEST_F(DrawingPictures, RemovedImagesLeaveTheDrawingOutToo) {
    std::string rtf = Convert(ChartPdf(), ModeAsIs, true);
    EXPECT_EQ(CountOccurrences(rtf, kPicture), 0u);
    EXPECT_EQ(CountOccurrences(rtf, kShape), 0u);
    EXPECT_NE(rtf.find("label20}"), std::string::npos);
}

// A plot's curve runs past its frame and the clip cuts it there: a shape would
// show the whole curve, over the page beside the plot. The same curve inside
// its clip stays a shape.
TEST_F(DrawingPictures, ACurveItsClipCutsIsAPicture) {
    const std::string curve = "0 0 1 RG 2 w 50 450 m 150 650 250 250 350 450 c S\n";
    PdfWriter cut;
    cut.AddPage("q 100 400 200 100 re W n " + curve + "Q\n" + TextLine("plot", 100, 380));
    std::string rtf = Convert(cut, ModeFlowingText);
    EXPECT_EQ(CountOccurrences(rtf, kPicture), 1u);
    EXPECT_EQ(CountOccurrences(rtf, kShape), 0u);
    PdfWriter inside;
    inside.AddPage("q 40 250 320 400 re W n " + curve + "Q\n" + TextLine("plot", 100, 380));
    rtf = Convert(inside, ModeFlowingText);
    EXPECT_EQ(CountOccurrences(rtf, kPicture), 0u);
    EXPECT_EQ(CountOccurrences(rtf, kShape), 1u);
}

TEST_F(DrawingPictures, ATablesRulesStayShapes) {
    std::string rtf = Convert(TablePdf(), ModeAsIs);
    EXPECT_EQ(CountOccurrences(rtf, kPicture), 0u);
    EXPECT_EQ(CountOccurrences(rtf, kShape), 18u);
}

TEST_F(DrawingPictures, AShadingIsAPictureAtItsBox) {
    std::string rtf = Convert(ShadingPdf(), ModeAsIs);
    EXPECT_EQ(CountOccurrences(rtf, kPicture), 1u);
    EXPECT_EQ(CountOccurrences(rtf, "\\pngblip\n89504E47") + CountOccurrences(rtf, "\\jpegblip\nFFD8FF"), 1u);
    EXPECT_EQ(CountOccurrences(rtf, kShape), 0u);
    EXPECT_NE(rtf.find("caption}"), std::string::npos);
    const size_t picture = rtf.find(kPicture);
    ASSERT_NE(picture, std::string::npos);
    int left = 0, top = 0, right = 0, bottom = 0;
    const size_t at = rtf.rfind("\\shpleft", picture);
    ASSERT_EQ(std::sscanf(rtf.c_str() + at, "\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d", &left, &top, &right,
                          &bottom),
              4);
    // 100 to 400 points across, 242 to 392 points down from the top.
    EXPECT_NEAR(left, ToTwips(150), 30);
    EXPECT_NEAR(right, ToTwips(600), 30);
    EXPECT_NEAR(top, ToTwips(363), 30);
    EXPECT_NEAR(bottom, ToTwips(588), 30);
}

}  // namespace
