// Font records: ids and the page of their fontspec line, sizes, colours, style and
// family names.
#include <gtest/gtest.h>

#include "ExtractRun.h"
#include "XmlLineGrammar.h"

using namespace extracttest;
using testpdf::PdfWriter;

namespace {

std::vector<std::string> FontspecLines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (l.rfind("\t<fontspec ", 0) == 0) out.push_back(l);
    return out;
}

std::string Style(const TextElement& e) { return Attr(e.dataLine, "style"); }

}  // namespace

TEST(Fonts, IdsAreWrittenOnThePageOfFirstUse) {
    PdfWriter pdf;
    pdf.AddPage(Show("one", 72, 700, 12, "F1"));
    pdf.AddPage(Show("two", 72, 700, 12, "F1"));
    pdf.AddPage(Show("three", 72, 700, 12, "F2") + Show("again", 72, 600, 12, "F1"));
    pdf.AddPage("");
    pdf.AddPage(Show("five", 72, 700, 12, "F2") + Show("five", 72, 600, 12, "F1"));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(FontspecLines(PageLines(xml, 1)),
              (std::vector<std::string>{"\t<fontspec id=\"0\" size=\"12\" family=\"Helvetica\" alternate=\"\" color=\"#000000\" face=\"sans\">"}));
    EXPECT_TRUE(FontspecLines(PageLines(xml, 2)).empty());
    EXPECT_EQ(FontspecLines(PageLines(xml, 3)),
              (std::vector<std::string>{"\t<fontspec id=\"1\" size=\"12\" family=\"Times-Roman\" alternate=\"\" color=\"#000000\" face=\"serif\">"}));
    EXPECT_TRUE(FontspecLines(PageLines(xml, 5)).empty());
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[4].font, 1);
    EXPECT_EQ(e[5].font, 0);
}

TEST(Fonts, SizesAreRoundedUp) {
    PdfWriter pdf;
    pdf.AddPage(Show("a", 72, 700, 12) + Show("b", 72, 680, 12.4) + Show("c", 72, 660, 12.2) + Show("d", 72, 640, 12.9) +
                // A unit font size scaled by the text matrix: the record takes 0.7 of
                // the size on the page (18 units).
                "BT /F1 1 Tf 12 0 0 12 72 620 Tm (e) Tj ET\n");
    std::string xml = Extract(pdf);
    std::vector<std::string> specs = FontspecLines(Lines(xml));
    ASSERT_EQ(specs.size(), 2u);
    EXPECT_EQ(Attr(specs[0], "size"), "12");
    EXPECT_EQ(Attr(specs[1], "size"), "13");
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].font, 0);
    EXPECT_EQ(e[1].font, 1);
    EXPECT_EQ(e[2].font, 1);
    EXPECT_EQ(e[3].font, 1);
    EXPECT_EQ(e[4].font, 0);  // floor(18 x 0.7) = 12
}

TEST(Fonts, ColoursMakeTheirOwnIds) {
    PdfWriter pdf;
    pdf.AddPage(Show("black", 72, 700) + "1 0 0 rg\n" + Show("red", 72, 680) + "0.5 g\n" + Show("grey", 72, 660) +
                "1 1 0 rg\n" + Show("yellow", 72, 640) + "0 g\n" + Show("black", 72, 620));
    std::string xml = Extract(pdf);
    std::vector<std::string> specs = FontspecLines(Lines(xml));
    ASSERT_EQ(specs.size(), 4u);
    EXPECT_EQ(Attr(specs[0], "color"), "#000000");
    EXPECT_EQ(Attr(specs[1], "color"), "#ff0000");
    EXPECT_EQ(Attr(specs[2], "color"), "#808080");
    EXPECT_EQ(Attr(specs[3], "color"), "#ffff00");
    EXPECT_EQ(Elements(xml).back().font, 0);
}

TEST(Fonts, StyleAndFamilyComeFromTheName) {
    PdfWriter pdf;
    const char* names[] = {"Helvetica-Black", "Times-Oblique", "Times-BoldItalic", "Times-Italic", "SymbolMT",
                           "symbolmt", "wingdings", "wingdings2", "wingdings3", "Bad#0AName"};
    std::string content;
    for (int i = 0; i < 10; ++i) {
        std::string res = "G" + std::to_string(i);
        pdf.SetFont(res, testpdf::MetricFont(names[i]));
        content += Show("x", 72, 700 - 20 * i, 12, res);
    }
    pdf.AddPage(content);
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 10u);
    EXPECT_EQ(Style(e[0]), "1");
    EXPECT_EQ(Style(e[1]), "2");
    EXPECT_EQ(Style(e[2]), "1");
    EXPECT_EQ(Style(e[3]), "2");
    std::vector<std::string> specs = FontspecLines(Lines(xml));
    ASSERT_EQ(specs.size(), 10u);
    std::vector<std::string> families;
    for (const auto& s : specs) families.push_back(Attr(s, "family"));
    EXPECT_EQ(families, (std::vector<std::string>{"Helvetica-Black", "Times-Oblique", "Times-BoldItalic", "Times-Italic",
                                                  "SymbolMT", "Symbol", "Wingdings", "Wingdings 2", "Wingdings 3",
                                                  "Bad Name"}));
}

TEST(Fonts, BoldAndItalicFromNamePartsAndDescriptors) {
    PdfWriter pdf;
    const std::vector<std::pair<std::string, std::string>> fonts = {
        {"NimbusRomNo9L-Medi", "1"},    {"NimbusRomNo9L-MediItal", "1"}, {"Minion-Semibold", "1"},
        {"URWBookmanL-Demi", "1"},      {"Arial-Black", "1"},            {"Univers-Heavy", "1"},
        {"NimbusRomNo9L-ReguItal", "2"}, {"NimbusSanL-ReguObli", "2"},   {"Helvetica-BoldOblique", "1"},
        {"Roboto-Medium", "0"},         {"Plain-Regular", "0"}};
    std::string content;
    int i = 0;
    for (const auto& [name, style] : fonts) {
        std::string res = "G" + std::to_string(i);
        pdf.SetFont(res, testpdf::MetricFont(name));
        content += Show("x", 72, 740 - 16 * i++, 12, res);
    }
    // Plain names whose descriptors tell the style.
    auto described = [](const std::string& name, const std::string& from, const std::string& to) {
        std::string dict = testpdf::MetricFont(name);
        dict.replace(dict.find(from), from.size(), to);
        return dict;
    };
    pdf.SetFont("W", described("SerifA", "/StemV 80", "/StemV 80 /FontWeight 700"));
    pdf.SetFont("B", described("SerifB", "/Flags 32", "/Flags 262176"));
    pdf.SetFont("A", described("SerifC", "/ItalicAngle 0", "/ItalicAngle -12"));
    pdf.SetFont("I", described("SerifD", "/Flags 32", "/Flags 96"));
    pdf.SetFont("L", described("SerifE", "/StemV 80", "/StemV 80 /FontWeight 500"));
    for (const char* res : {"W", "B", "A", "I", "L"}) content += Show("y", 72, 740 - 16 * i++, 12, res);
    pdf.AddPage(content);
    std::string xml = Extract(pdf);
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), fonts.size() + 5);
    for (size_t k = 0; k < fonts.size(); ++k) EXPECT_EQ(Style(e[k]), fonts[k].second) << fonts[k].first;
    std::vector<std::string> described_styles;
    for (size_t k = fonts.size(); k < e.size(); ++k) described_styles.push_back(Style(e[k]));
    EXPECT_EQ(described_styles, (std::vector<std::string>{"1", "1", "2", "2", "0"}));
}
