// Words that the source sets apart stay apart, once each, in every layout.
#include <gtest/gtest.h>

#include "convert/CConvertPara.h"
#include "support/ConvertInDir.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/TempDir.h"

using testpdf::TempDir;

namespace {

std::string ConvertTo(const TempDir& dir, int mode) { return testpdf::ConvertInDir(dir, "doc", mode); }

// Runs of blanks as one: the layouts differ in how they fill gaps, not in words.
std::string OneBlank(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    return out;
}

size_t Count(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, p + 1)) ++n;
    return n;
}

void WriteSource(const std::string& path) {
    testpdf::PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSerif"));
    // TeX's symbol font without a character map: its negation slash over an equals sign.
    pdf.SetFont("SY", "<< /Type /Font /Subtype /Type1 /BaseFont /CMSY10 /FirstChar 32 /LastChar 127 /Widths [" +
                          [] { std::string w; for (int i = 32; i <= 127; ++i) w += "500 "; return w; }() +
                          "] /Encoding << /Type /Encoding /Differences [54 /negationslash] >> >>");
    // A Type 3 font at 25 under a text matrix of 0.24 (6-point glyphs), and a ligature
    // that no ToUnicode maps.
    int proc = pdf.AddStream("", "500 0 0 0 450 700 d1 0 0 450 700 re f");
    std::string procs = "/B " + std::to_string(proc) + " 0 R ", names, widths;
    for (int code = 'B'; code <= 'z'; ++code) widths += code == 'B' || code >= 'a' ? "500 " : "0 ";
    for (char c = 'a'; c <= 'z'; ++c) {
        procs += std::string("/") + c + " " + std::to_string(proc) + " 0 R ";
        names += std::string(" /") + c;
    }
    pdf.SetFont("T3", "<< /Type /Font /Subtype /Type3 /FontBBox [0 -200 1000 800] /FontMatrix [0.001 0 0 0.001 0 0] "
                      "/CharProcs << " + procs + ">> /Encoding << /Type /Encoding /Differences [66 /B 97" + names +
                      "] >> /FirstChar 66 /LastChar 122 /Widths [" + widths + "] /Resources << >> >>");
    pdf.SetFont("L", "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman /Encoding << /Type /Encoding "
                     "/Differences [1 /fi] >> >>");
    std::string fakeBold;
    for (double dx : {0.0, 0.25, 0.5}) fakeBold += "BT /F1 12 Tf " + std::to_string(72 + dx) + " 500 Td (ANHUI ANLI) Tj ET\n";
    pdf.AddPage(
        // A justified line whose word gaps are squeezed to under a fifth of an em.
        "BT /M 10.91 Tf 72 700 Td [(tion)-194(to)-194(each)-195(other)]TJ ET\n"
        "BT /M 10 Tf 72 680 Td [(squeezed)-150(to)-150(the)-150(limit)]TJ ET\n"
        // Figures of a table set at nominal size 1 and stacked in one cell.
        "BT /F1 1 Tf 5.76 0 0 5.76 400 700 Tm (0) Tj 5.76 0 0 5.76 400 692.8 Tm (2,248) Tj "
        "5.76 0 0 5.76 400 685.6 Tm (1,135) Tj ET\n"
        // A typed transcript: every blank drawn as a glyph of a fixed-pitch face.
        "BT /F3 12 Tf 72 600 Td (IN THE SUPREME COURT) Tj ET\n" +
        fakeBold +
        "BT /F2 12 Tf 72 400 Td (x) Tj ET BT /SY 12 Tf 90 400 Td (6) Tj ET BT /F2 12 Tf 90 400 Td (=) Tj ET "
        "BT /F2 12 Tf 110 400 Td (y) Tj ET\n"
        // A footnote mark and a subscript, smaller than their line.
        "BT /F1 12 Tf 72 300 Td (The Reports) Tj /F1 8 Tf 4 Ts (1) Tj 0 Ts /F1 12 Tf ( say H) Tj /F1 8 Tf -2 Ts (2) Tj "
        "0 Ts /F1 12 Tf (O.) Tj ET\n"
        "BT /T3 25 Tf 0.24 0 0 0.24 72 250 Tm [(Booked)-500(and)]TJ ET\n"
        "BT /L 12 Tf 72 200 Td (Dummy PDF \\001le) Tj ET\n"
        // A heading drawn twice for boldness, its second copy hidden by an empty actual text.
        "BT /F1 12 Tf 72 150 Td (Heading) Tj ET /Span << /ActualText () >> BDC BT /F1 12 Tf 72.4 150 Td (Heading) Tj "
        "ET EMC\n");
    pdf.Save(path);
}

}  // namespace

TEST(WordsInEveryLayout, WordsStayApartAndAppearOnce) {
    TempDir dir;
    WriteSource(dir / "doc.pdf");
    for (int mode : {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly}) {
        SCOPED_TRACE("layout " + std::to_string(mode));
        std::string rtf = ConvertTo(dir, mode);
        std::string text = testpdf::RtfPlainText(rtf);
        std::string words = OneBlank(text);
        EXPECT_NE(words.find("tion to each other"), std::string::npos) << text;
        EXPECT_NE(words.find("squeezed to the limit"), std::string::npos) << text;
        EXPECT_NE(words.find("0 2,248 1,135"), std::string::npos) << text;
        EXPECT_NE(words.find("IN THE SUPREME COURT"), std::string::npos) << text;
        EXPECT_EQ(text.find("IN  THE"), std::string::npos) << text;
        EXPECT_EQ(Count(text, "ANHUI"), 1u) << text;
        EXPECT_EQ(Count(text, "ANLI"), 1u) << text;
        EXPECT_NE(words.find("Booked and"), std::string::npos) << text;
        EXPECT_NE(words.find("Dummy PDF file"), std::string::npos) << text;
        EXPECT_EQ(Count(text, "Heading"), 1u) << text;
        EXPECT_NE(rtf.find("\\u8800X"), std::string::npos) << "x \\neq y";
        // "AS IS" frames each piece at its place.
        if (mode != ModeAsIs) {
            EXPECT_NE(words.find("Reports1 say H2O."), std::string::npos) << text;
        }
        if (mode == ModeFlowingText || mode == ModeFormattedText) {
            EXPECT_NE(rtf.find("{\\super "), std::string::npos);
            EXPECT_NE(rtf.find("{\\sub "), std::string::npos);
        }
    }
}

// A character that the run's face has no glyph for is set in a face that has one.
TEST(WordsInEveryLayout, CharactersBeyondTheFaceAreSetInAFaceThatHasThem) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddUnicodeFont("U", {0x65E5, 0x672C, 'a'});
    pdf.AddPage(testpdf::TextLine("ABC", 72, 700, 12, "U") + testpdf::TextLine("Latin words", 72, 650));
    pdf.Save(dir / "doc.pdf");
    std::string rtf = ConvertTo(dir, ModeFormattedText);
    // The run's own face is a Latin one; the characters go into the face fontconfig finds for them.
    size_t at = rtf.find("\\u26085X");
    ASSERT_NE(at, std::string::npos) << rtf;
    size_t group = rtf.rfind("{\\f", at);
    ASSERT_NE(group, std::string::npos);
    const std::string entry = rtf.substr(group + 1, rtf.find(' ', group) - group - 1);
    const size_t table = rtf.find("{" + entry, rtf.find("{\\fonttbl"));
    ASSERT_LT(table, rtf.find("{\\colortbl")) << entry << "\n" << rtf.substr(0, 600);
    const std::string face = rtf.substr(table, rtf.find(';', table) - table);
    EXPECT_EQ(face.find("Liberation"), std::string::npos) << face;
    EXPECT_NE(rtf.find("Latin"), std::string::npos);
}
