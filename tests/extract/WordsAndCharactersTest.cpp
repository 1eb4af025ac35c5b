// Word breaks measured on the page, and every character the one the source means.
#include <gtest/gtest.h>

#include "ExtractRun.h"
#include "XmlLineGrammar.h"
#include "extract/WordBreak.h"

using namespace extracttest;
using testpdf::PdfWriter;

namespace {

using Words = std::vector<std::string>;

// The fontspec size of the font of the element holding word.
int SizeOf(const std::string& xml, const std::string& word) {
    for (const TextElement& e : Elements(xml)) {
        if (e.content != word) continue;
        for (const std::string& line : Lines(xml))
            if (line.find("<fontspec id=\"" + std::to_string(e.font) + "\"") != std::string::npos)
                return IntAttr(line, "size");
    }
    return -1;
}

// A Type 3 font drawing every letter as a box, in the usual thousandths of an em.
std::string Type3Font(PdfWriter& pdf) {
    int proc = pdf.AddStream("", "500 0 0 0 450 700 d1 0 0 450 700 re f");
    std::string procs, widths;
    for (char c = 'A'; c <= 'z'; ++c) {
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            widths += "0 ";
            continue;
        }
        procs += std::string("/") + c + " " + std::to_string(proc) + " 0 R ";
        widths += "500 ";
    }
    std::string differences = "65";
    for (char c = 'A'; c <= 'z'; ++c) differences += std::string(" /") + (std::isalpha(static_cast<unsigned char>(c)) ? std::string(1, c) : ".notdef");
    return "<< /Type /Font /Subtype /Type3 /FontBBox [0 -200 1000 800] /FontMatrix [0.001 0 0 0.001 0 0] "
           "/CharProcs << " + procs + ">> /Encoding << /Type /Encoding /Differences [" + differences + "] >> "
           "/FirstChar 65 /LastChar 122 /Widths [" + widths + "] /Resources << >> >>";
}

}  // namespace

TEST(WordBreaks, ThresholdFollowsTheLettersOfTheOperation) {
    auto threshold = [](std::vector<double> gaps, double em) { return WordBreakThreshold(gaps, em); };
    // A tenth of an em, whatever the kerning of the line.
    EXPECT_DOUBLE_EQ(threshold({0, 0, -0.3, 0.2, 0, 0}, 10), 1.0);
    // Letters that sit tight: a gap clearly wider than theirs is a word gap.
    EXPECT_NEAR(threshold({0, 0, 0, 0, 0.1, -0.2, 0, 0, 0, 0.8, 0}, 10), 0.9, 1e-9);
    // Letters spaced out never hide a word gap of a tenth of an em.
    EXPECT_DOUBLE_EQ(threshold({3, 3, 3, 3, 3, 3, 3, 3, 3}, 10), 1.0);
}

TEST(WordBreaks, SqueezedWordGapsBreakAndKerningDoesNot) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSerif"));
    pdf.AddPage("BT /M 10.91 Tf 72 700 Td [(tion)-194(to)-194(each)-195(other)]TJ ET\n"
                "BT /M 10.91 Tf 72 650 Td [(W)83(ord)-40(s)30(mith)]TJ ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (Words{"tion", "to", "each", "other", "Wordsmith"}));
}

TEST(WordBreaks, SizeAndGapsAreMeasuredOnThePage) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    pdf.SetFont("T3", Type3Font(pdf));
    // Cells set at nominal size 1 and scaled by the text matrix, stacked 7.2 pt apart;
    // a Type 3 font at 25 under a text matrix of 0.24 (6 pt glyphs); and the same
    // 6 pt line drawn through the transformation matrix instead.
    pdf.AddPage("BT /M 1 Tf 5.76 0 0 5.76 300 700 Tm (0) Tj 5.76 0 0 5.76 300 692.8 Tm (2,248) Tj "
                "5.76 0 0 5.76 300 685.6 Tm (1,135) Tj ET\n"
                "BT /T3 25 Tf 0.24 0 0 0.24 72 600 Tm [(Booked)-500(and)]TJ ET\n"
                "q 0.5 0 0 0.5 0 0 cm BT /M 12 Tf 144 1000 Td [(six)-500(points)]TJ ET Q\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (Words{"0", "2,248", "1,135", "Booked", "and", "six", "points"}));
    EXPECT_EQ(SizeOf(xml, "2,248"), 6);
    EXPECT_EQ(SizeOf(xml, "Booked"), 6);
    EXPECT_EQ(SizeOf(xml, "six"), 6);
}

TEST(WordBreaks, ABlankDrawnAsAGlyphIsOneBreak) {
    PdfWriter pdf;
    pdf.AddPage("BT /F3 12 Tf 72 700 Td (IN THE  SUPREME) Tj ET\n");
    EXPECT_EQ(Contents(Extract(pdf)), (Words{"IN", "THE", "SUPREME"}));
}

TEST(Characters, TextDrawnOverItselfIsKeptOnceAndInBold) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    // Office printers' fake bold: the same words painted three times a fraction of a point apart.
    std::string copies;
    for (double dx : {0.0, 0.3, 0.6}) copies += Show("ANHUI ANLI", 72 + dx, 700, 12, "M");
    pdf.AddPage(copies + Show("plain", 72, 650, 12, "M") + Show("plain", 72, 650, 12, "M"));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(Contents(xml), (Words{"ANHUI", "ANLI", "plain"}));
    EXPECT_EQ(Attr(e[0].dataLine, "style"), "1");
    // Drawn twice at the very same place: one copy, not bold.
    EXPECT_EQ(Attr(e[2].dataLine, "style"), "0");
}

TEST(Characters, ActualTextReplacesWhatItCovers) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    pdf.AddPage("BT /M 12 Tf 72 700 Td /Span << /ActualText (Project) >> BDC (Pr0jekt) Tj EMC ET\n"
                "BT /M 12 Tf 72 650 Td (shown) Tj ET\n"
                "/Span << /ActualText () >> BDC BT /M 12 Tf 72.3 650 Td (shown) Tj ET EMC\n"
                "BT /M 12 Tf 72 600 Td /Span << /ActualText <FEFF00660069> >> BDC (X) Tj EMC ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (Words{"Project", "shown", "fi"}));
}

TEST(Characters, ALigatureGivesItsLettersOnce) {
    PdfWriter pdf;
    pdf.SetFont("L", "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman /Encoding << /Type /Encoding "
                     "/Differences [1 /fi 2 /ffl] >> >>");
    pdf.AddPage("BT /L 12 Tf 72 700 Td (PDF \\001le ba\\002e) Tj ET\n");
    EXPECT_EQ(Contents(Extract(pdf)), (Words{"PDF", "file", "baffle"}));
}

TEST(Characters, MathFontsGiveTheirCharacters) {
    PdfWriter pdf;
    // TeX's symbol font without a character map: the codes of its glyphs are letters.
    pdf.SetFont("SY", "<< /Type /Font /Subtype /Type1 /BaseFont /CMSY10 /FirstChar 32 /LastChar 127 "
                      "/Widths [" + [] { std::string w; for (int i = 32; i <= 127; ++i) w += "500 "; return w; }() +
                      "] /Encoding << /Type /Encoding /Differences [54 /negationslash 107 /bardbl 112 /radical] >> >>");
    pdf.SetFont("BB", "<< /Type /Font /Subtype /Type1 /BaseFont /MSBM10 /FirstChar 32 /LastChar 127 "
                      "/Widths [" + [] { std::string w; for (int i = 32; i <= 127; ++i) w += "600 "; return w; }() +
                      "] /Encoding << /Type /Encoding /Differences [82 /R] >> >>");
    // x \neq y: a zero-width slash from the symbol font, then the equals sign of the text font.
    pdf.AddPage("BT /F2 12 Tf 72 700 Td (x) Tj ET\n"
                "BT /SY 12 Tf 90 700 Td (6) Tj ET\n"
                "BT /F2 12 Tf 90 700 Td (=) Tj ET\n"
                "BT /F2 12 Tf 110 700 Td (y) Tj ET\n"
                "BT /SY 12 Tf 72 650 Td (k) Tj 20 0 Td (p) Tj ET\n"
                "BT /BB 12 Tf 72 600 Td (R) Tj ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (Words{"x", "\\uc1\\u8800X", "y", "\\uc1\\u8214X", "\\uc1\\u8730X", "\\uc1\\u8477X"}));
}

TEST(Characters, VerticalPunctuationInAHorizontalLineIsTheOrdinaryMark) {
    PdfWriter pdf;
    // U+FE11 and U+FE12 (vertical comma and full stop) set in a horizontal line.
    pdf.AddUnicodeFont("U", {0x6CD5, 0xFE11, 0xFE12});
    pdf.AddPage(Show("ABAC", 72, 700, 12, "U"));
    EXPECT_EQ(Contents(Extract(pdf)), (Words{"\\uc1\\u27861X\\uc1\\u12289X\\uc1\\u27861X\\uc1\\u12290X"}));
}
