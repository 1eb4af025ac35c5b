// Characters into runs, runs into text elements, and the page margins.
#include <gtest/gtest.h>

#include "ExtractRun.h"
#include "XmlLineGrammar.h"

using namespace extracttest;
using testpdf::PdfWriter;

namespace {

// A font whose box and widths are known: 800 up, 200 down, every character half an em.
PdfWriter WithMetricFont() {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    return pdf;
}

std::string MarginLine(const std::string& xml, int page = 1) {
    for (const auto& l : PageLines(xml, page))
        if (l.rfind("<margin ", 0) == 0) return l;
    return {};
}

}  // namespace

TEST(RunAssembly, BlanksSplitRunsAndAbuttingRunsJoin) {
    PdfWriter pdf = WithMetricFont();
    // At 12 points a character is 6 points = 9 units wide; "ab" at 40 pt runs from
    // 60 to 78 units and is written 19 wide, so a run joins it when its rounded left
    // edge is 79: 52.4 pt (78.6 units) does, 52 pt (78 units) does not.
    pdf.AddPage(Show("Hello world", 72, 700, 12, "M") + Show("ab", 40, 600, 12, "M") + Show("cd", 52.4, 600, 12, "M") +
                Show("ef", 40, 500, 12, "M") + Show("gh", 52, 500, 12, "M") +
                // Abutting, but in another colour, size or with a rise.
                Show("ij", 40, 400, 12, "M") + "1 0 0 rg\n" + Show("kl", 52.4, 400, 12, "M") + "0 g\n" +
                Show("mn", 40, 300, 12, "M") + "BT /M 12 Tf 3 Ts 52.4 300 Td (no) Tj ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 9u);
    EXPECT_EQ(e[0].content, "Hello");
    EXPECT_EQ(e[1].content, "world");
    EXPECT_EQ(e[2].content, "abcd");
    EXPECT_EQ(e[2].left, 60);
    EXPECT_EQ(e[2].width, 38);
    EXPECT_EQ(e[2].height, 18);
    EXPECT_EQ(e[2].top, 1188 - 900 - 14);  // baseline at 600 pt, 0.8 em of 18 units above
    EXPECT_EQ(e[3].content, "ef");
    EXPECT_EQ(e[3].width, 19);
    EXPECT_EQ(e[4].content, "gh");
    EXPECT_EQ(e[5].content, "ij");
    EXPECT_EQ(e[6].content, "kl");
    EXPECT_EQ(e[7].content, "mn");
    EXPECT_EQ(e[8].content, "no");
    EXPECT_EQ(Attr(e[8].dataLine, "cRise"), "+3000.00");
}

TEST(RunAssembly, DataTagCarriesTheTextState) {
    PdfWriter pdf = WithMetricFont();
    pdf.AddPage("BT /M 12 Tf 0.25 Tc -1.5 Tw 90 Tz 14 TL 72 700 Td (spaced) Tj ET\n");
    std::vector<TextElement> e = Elements(Extract(pdf));
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].dataLine,
              R"(<data cSpace="+250.00" wSpace="-1500.00" hScal="090" style="0" cRise="+0000.00" cLeading="+14000.00">spaced)");
}

// Producers that place words by moving the text position inside one operation
// must not get their words glued together; kerning and letter spacing must not
// cut words apart.
TEST(RunAssembly, GapsInsideOneOperationEndTheRun) {
    PdfWriter pdf = WithMetricFont();
    pdf.AddPage("BT /M 12 Tf 72 700 Td [(Hello) -300 (world)] TJ ET\n"   // 3.6 pt: a word gap
                "BT /M 12 Tf 72 680 Td [(Ke) 60 (rned) -80 (text)] TJ ET\n"  // kerning either way
                "BT /M 12 Tf 72 660 Td [(tight) -150 (fit)] TJ ET\n"        // 1.8 pt: a squeezed word gap
                "BT /M 12 Tf 72 640 Td [(wide) -250 (fit)] TJ ET\n"         // 3 pt
                "BT /M 12 Tf 5 Tc 72 620 Td (Spaced) Tj ET\n"               // letter spacing 5 pt
                "BT /M 12 Tf 72 600 Td [(one) -2000 (two) -2000 ( three)] TJ ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"Hello", "world", "Kernedtext", "tight", "fit", "wide", "fit", "Spaced",
                                                       "one", "two", "three"}));
    std::vector<TextElement> e = Elements(xml);
    EXPECT_EQ(e[1].left, Elements(xml)[0].left + 45 + 5);  // five characters, then the 3.6 pt gap
}

// PostScript distillers write the gap between table columns as character spacing
// inside one string: wider than an em, it parts words rather than spacing letters.
TEST(RunAssembly, CharacterSpacingWiderThanAnEmIsAGapBetweenWords) {
    PdfWriter pdf = WithMetricFont();
    pdf.AddPage("BT /M 12 Tf 72 700 Td (Ber) Tj 15 Tc 18 0 Td (gM) Tj 0 Tc 27 0 Td (anager) Tj ET\n"
                "BT /M 12 Tf 10 Tc 72 680 Td (Spaced) Tj ET\n");  // 10 pt at 12 pt: letter spacing
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    // Pieces that abut stay pieces of the XML; the layout writes them as one word.
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"Ber", "g", "M", "anager", "Spaced"}));
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[1].width, 10) << "the g alone, without the spacing after it";
    EXPECT_GE(e[2].left, e[1].left + 9 + 22);
    EXPECT_EQ(Attr(e[1].dataLine, "cSpace"), "+000.00");
    EXPECT_EQ(Attr(e[4].dataLine, "cSpace"), "+10000.00");
}

// A producer that sets a large size and scales it down with the text matrix:
// the gap between the words is measured against the size the glyphs have on the page.
TEST(RunAssembly, GapsUnderAScaledTextMatrixEndTheRun) {
    PdfWriter pdf = WithMetricFont();
    pdf.AddPage("BT /M 25 Tf 0.24 0 0 0.24 72 700 Tm [(Total) -500 (due)] TJ ET\n"  // 3 pt gap on 6 pt glyphs
                "BT 0.24 0 0 0.24 72 680 Tm /M 25 Tf [(Ke) 60 (rned)] TJ ET\n"     // kerning stays inside
                "q 0.5 0 0 0.5 0 0 cm BT /M 24 Tf 144 1320 Td [(half) -500 (size)] TJ ET Q\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"Total", "due", "Kerned", "half", "size"}));
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 5u);
    // 6 pt glyphs: a box of 6 pt (9 units) high, not one of 25 pt.
    EXPECT_EQ(e[0].height, 9);
    EXPECT_EQ(e[1].left, e[0].left + 27);  // five characters and the gap, 4.5 units each
}

// Upside-down text is marked like a right-to-left script but reads in its own order:
// only the script's characters are stored back to front.
TEST(RunAssembly, DirectionsAndHebrew) {
    PdfWriter pdf = WithMetricFont();
    pdf.AddUnicodeFont("H", {0x05D0, 0x05D1, 0x05D2});
    pdf.AddPage("BT /M 12 Tf 0 1 -1 0 300 300 Tm (up) Tj ET\n"
                "BT /M 12 Tf 0 -1 1 0 300 300 Tm (down) Tj ET\n"
                "BT /M 12 Tf -1 0 0 -1 300 300 Tm (over) Tj ET\n"
                "BT /M 12 Tf 1 0 0 1 300 300 Tm (level) Tj ET\n"
                "BT /H 12 Tf 72 200 Td (ABC) Tj ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].direction, 4);
    EXPECT_EQ(e[1].direction, 3);
    EXPECT_EQ(e[2].direction, 2);
    EXPECT_EQ(e[2].content, "over");
    EXPECT_EQ(e[3].direction, 1);
    EXPECT_EQ(e[4].direction, 2);
    EXPECT_EQ(e[4].content, "\\uc1\\u1490X\\uc1\\u1489X\\uc1\\u1488X");
}

// Drawing programs turn a label by the matrix of the page, not of the text: an
// axis label read down the page is a turned line all the same, not a pile of
// one-unit-wide letters.
TEST(RunAssembly, TextTurnedByThePageMatrix) {
    PdfWriter pdf = WithMetricFont();
    pdf.AddPage("q 0 1 -1 0 300 300 cm BT /M 12 Tf 0 0 Td (up) Tj ET Q\n"
                "q 0 -1 1 0 200 300 cm BT /M 12 Tf 0 0 Td (down) Tj ET Q\n");
    std::vector<TextElement> e = Elements(Extract(pdf));
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].direction, 4);
    EXPECT_EQ(e[1].direction, 3);
    EXPECT_EQ(e[1].content, "down");
}

// A column of vertical writing keeps its characters top to bottom and its real box,
// marked as text read down the page.
TEST(RunAssembly, VerticalWritingKeepsItsColumns) {
    PdfWriter pdf;
    // Nihongo wo tate ni kaku: six characters in the right column, two in the left.
    pdf.AddVerticalFont("V", {0x65E5, 0x672C, 0x8A9E, 0x3092, 0x7E26, 0x306B, 0x66F8, 0x304F});
    pdf.AddPage("BT /V 20 Tf 1 0 0 1 500 700 Tm " + testpdf::VerticalCodes(1, 6) + " Tj ET\n"
                "BT /V 20 Tf 1 0 0 1 470 700 Tm " + testpdf::VerticalCodes(7, 2) + " Tj ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    std::vector<TextElement> e = Elements(xml);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].content, "\\uc1\\u26085X\\uc1\\u26412X\\uc1\\u35486X\\uc1\\u12434X\\uc1\\u32294X\\uc1\\u12395X");
    EXPECT_EQ(e[0].direction, 3);
    // 500 points across, 720 down from the top of the page: 750 and 108 units; six 30-unit characters.
    EXPECT_EQ(e[0].left, 750);
    EXPECT_EQ(e[0].top, 108);
    EXPECT_EQ(e[0].width, 31);
    EXPECT_EQ(e[0].height, 180);
    EXPECT_EQ(e[1].left, 705);
    EXPECT_EQ(e[1].height, 60);
}

TEST(RunAssembly, Margins) {
    PdfWriter pdf = WithMetricFont();
    // Text from 80 units left and 30 units above the bottom (baseline 1155, 3 below).
    pdf.AddPage(Show("low", 53.3333, 22, 10, "M"));
    // Text 20 units from the left, its top 24 units from the top; the lowest text
    // ends 100 units above the bottom edge.
    pdf.AddPage(Show("high", 13.3333, 766, 10, "M") + Show("lowest", 100, 68.6667, 10, "M"));
    // The rightmost text ends at 930 on a page 918 wide: a negative right margin.
    pdf.AddPage(Show("edge", 600, 400, 10, "M"));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(MarginLine(xml, 1), R"(<margin mleft="0050" mtop="0050" mbottom="0007" mright="0010">)");
    EXPECT_EQ(MarginLine(xml, 2), R"(<margin mleft="0020" mtop="0027" mbottom="0010" mright="0010">)");
    EXPECT_EQ(Attr(MarginLine(xml, 3), "mright"), "4294967293");
}

TEST(RunAssembly, Type3TextWithoutGlyphProcedures) {
    PdfWriter pdf;
    int proc = pdf.AddStream("", "600 0 0 0 500 500 d1 0 0 500 500 re f");
    pdf.SetFont("T3", "<< /Type /Font /Subtype /Type3 /FontBBox [0 0 1000 1000] /FontMatrix [0.001 0 0 0.001 0 0] "
                      "/CharProcs << /m " + std::to_string(proc) + " 0 R >> /Encoding << /Type /Encoding /Differences [109 /m] >> "
                      "/FirstChar 109 /LastChar 109 /Widths [600] /Resources << >> >>");
    pdf.AddPage(Show("mm", 72, 700, 12, "T3"));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"mm"}));
    EXPECT_NE(xml.find("family=\"Times New Roman\""), std::string::npos);
}

// A broken text state must not break the data tag's syntax.
TEST(RunAssembly, AbsurdTextStateKeepsTheLineWhole) {
    PdfWriter pdf = WithMetricFont();
    std::string huge = "1" + std::string(250, '0');
    pdf.AddPage("BT /M 12 Tf " + huge + " Tc -" + huge + " TL 72 700 Td (x) Tj ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"x"}));
}
