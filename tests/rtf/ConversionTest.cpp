#include <gtest/gtest.h>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/TempDir.h"

using testpdf::RtfPlainText;
using testpdf::TempDir;

namespace {

std::string Convert(const TempDir& dir, const std::string& pdf, int mode, const std::string& pages = {}) {
    MyConvertPara para;
    para.inputPath = pdf;
    para.outputDir = dir.path();
    para.jobMode = mode;
    para.pages.Select(pages);
    EXPECT_EQ(ConvertFile(para), 0);
    return testpdf::ReadFile(dir / "doc.rtf");
}

}  // namespace

TEST(Conversion, SelectedPagesKeepTheirTextWhenEarlierPagesAreSkipped) {
    TempDir dir;
    testpdf::NumberedPages(5).Save(dir / "doc.pdf");
    std::string rtf = Convert(dir, dir / "doc.pdf", ModeTextOnly, "2,4");
    std::string text = RtfPlainText(rtf);
    EXPECT_NE(text.find("Page 2 of the test document"), std::string::npos) << text;
    EXPECT_NE(text.find("Page 4 of the test document"), std::string::npos) << text;
    EXPECT_EQ(text.find("Page 1 "), std::string::npos);
    EXPECT_EQ(text.find("Page 3 "), std::string::npos);
    size_t breaks = 0;
    for (size_t p = rtf.find("\\sbkpage"); p != std::string::npos; p = rtf.find("\\sbkpage", p + 1)) ++breaks;
    EXPECT_EQ(breaks, 1u);
    EXPECT_EQ(rtf.back(), '}');
}

TEST(Conversion, FormattedTextKeepsWordsStylesAndLinks) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    testpdf::Page& page = pdf.AddPage(testpdf::TextLine("Plain words here", 72, 700, 12, "F1") +
                                      testpdf::TextLine("Bold heading", 72, 650, 16, "F4") +
                                      testpdf::TextLine("Visit the site", 72, 600, 12, "F2"));
    testpdf::LinkAnnot link;
    link.x0 = 70;
    link.y0 = 595;
    link.x1 = 200;
    link.y1 = 615;
    link.uri = "https://example.org/";
    page.links.push_back(link);
    pdf.Save(dir / "doc.pdf");

    std::string rtf = Convert(dir, dir / "doc.pdf", ModeFormattedText);
    std::string text = RtfPlainText(rtf);
    EXPECT_NE(text.find("Plain words here"), std::string::npos) << text;
    EXPECT_NE(text.find("Bold heading"), std::string::npos) << text;
    EXPECT_NE(rtf.find("\\fs32"), std::string::npos);
    EXPECT_NE(rtf.find("\\b {Bold}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("HYPERLINK \"https://example.org/\""), std::string::npos) << rtf;
    EXPECT_EQ(rtf.find("dsAnchor"), std::string::npos);

    std::string plain = Convert(dir, dir / "doc.pdf", ModeTextOnly);
    EXPECT_NE(RtfPlainText(plain).find("Visit the site"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("HYPERLINK"), std::string::npos);
    EXPECT_EQ(plain.find("\\fs", plain.find("\\viewscale100")), std::string::npos);
}

// "AS IS" has no positioned frames yet: its pages carry the words as paragraphs.
TEST(Conversion, AsIsKeepsEveryWord) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Heliotrope", 72, 700) + testpdf::TextLine("Marigold", 72, 680));
    pdf.AddPage(testpdf::TextLine("Snapdragon", 72, 700));
    pdf.Save(dir / "doc.pdf");
    std::string rtf = Convert(dir, dir / "doc.pdf", ModeAsIs);
    for (const char* word : {"Heliotrope", "Marigold", "Snapdragon"}) EXPECT_NE(rtf.find(word), std::string::npos) << word;
    EXPECT_NE(rtf.find("\\sbkpage"), std::string::npos);
}
