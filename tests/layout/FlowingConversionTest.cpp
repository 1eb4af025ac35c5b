#include <gtest/gtest.h>

#include <filesystem>

#include "app/DefaultEngines.h"
#include "support/RtfChecks.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

struct Converted {
    std::string xml, rtf;
};

// Converts in the default layout, keeping the intermediate XML.
Converted ConvertDefault(const TempDir& dir, const std::string& pdf) {
    MyConvertPara para;
    para.inputPath = pdf;
    para.outputDir = dir.path();
    para.xmlCopyPath = dir / "kept.xml";
    EXPECT_EQ(ConvertFile(para), 0);
    std::string stem = fs::path(pdf).stem().string();
    return {testpdf::ReadFile(dir / "kept.xml"), testpdf::ReadFile(dir / (stem + ".rtf"))};
}

std::string Lines(const std::string& prefix, int count, double x, double top, const std::string& font = "F2") {
    std::string content;
    for (int i = 0; i < count; ++i)
        content += testpdf::TextLine(prefix + " line " + std::to_string(i) + " of the column text", x, top - 14 * i, 10,
                                     font);
    return content;
}

}  // namespace

TEST(FlowingConversion, TwoColumnPaperBecomesATwoColumnSectionUnderItsHeading) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("A Heading Set In Bold Over Both Columns", 150, 740, 16, "F4") + Lines("Left", 12, 72, 700) +
                Lines("Right", 12, 320, 700) +
                // A large size scaled down by the text matrix, words placed by a kerning gap.
                "BT /F2 25 Tf 0.24 0 0 0.24 72 480 Tm [(Total) -500 (due)] TJ ET\n");
    pdf.Save(dir / "paper.pdf");
    Converted c = ConvertDefault(dir, dir / "paper.pdf");
    std::string text = rtfcheck::VisibleText(c.rtf);

    EXPECT_NE(c.rtf.find("\\pard\\sect\\sectd\\sbknone\\cols2\\colno1\\colw"), std::string::npos) << c.rtf;
    EXPECT_LT(text.find("Left line 11"), text.find("Right line 0"));  // the left column is read first
    EXPECT_NE(c.rtf.find("\\b {A}"), std::string::npos);
    EXPECT_NE(text.find("Total due"), std::string::npos) << text;
    EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{});
    EXPECT_EQ(rtfcheck::DuplicatedCharacters(c.xml, c.rtf), "");
    EXPECT_EQ(rtfcheck::GeometryFault(c.rtf), "");
}

TEST(FlowingConversion, TableLikeRowsAndTurnedPagesKeepEveryWordOnce) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    // A label beside a cell of two stacked lines, then body text.
    pdf.AddPage(testpdf::TextLine("Address:", 72, 700, 10, "F2") + testpdf::TextLine("12 Long Street", 200, 706, 10, "F2") +
                testpdf::TextLine("Springfield", 200, 694, 9, "F2") + Lines("Body", 6, 72, 640));
    testpdf::Page& turned = pdf.AddPage(Lines("Turned", 4, 72, 700));
    turned.rotate = 90;
    pdf.AddPage(Lines("Last", 3, 72, 700) + Lines("Beside", 3, 320, 700));
    pdf.Save(dir / "forms.pdf");
    Converted c = ConvertDefault(dir, dir / "forms.pdf");
    EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{});
    EXPECT_EQ(rtfcheck::DuplicatedCharacters(c.xml, c.rtf), "");
    EXPECT_EQ(rtfcheck::GeometryFault(c.rtf), "");
    EXPECT_EQ(c.rtf.back(), '}');
}

// A slide's title bar ends just above its title; a rule just under a title's baseline underlines it.
TEST(FlowingConversion, ARuleOverATitleIsNoUnderlineAndOneUnderItIs) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Barred", 72, 700, 16, "F1") + "0.6 w 72 702 m 126 702 l S\n" +
                testpdf::TextLine("Underlined", 72, 650, 16, "F1") + "0.6 w 72 648 m 152 648 l S\n");
    pdf.Save(dir / "titles.pdf");
    Converted c = ConvertDefault(dir, dir / "titles.pdf");
    EXPECT_EQ(c.rtf.find("\\ul {Barred}"), std::string::npos) << c.rtf;
    EXPECT_NE(c.rtf.find("\\ul {Underlined}"), std::string::npos) << c.rtf;
}
