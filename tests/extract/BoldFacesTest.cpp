// Bold where the source sets bold, whatever way it tells it: a weight in the name,
// in the font program, or an outline stroked around the letters.
#include <gtest/gtest.h>

#include <filesystem>

#include "ExtractRun.h"
#include "XmlLineGrammar.h"
#include "support/TempDir.h"

using namespace extracttest;
using testpdf::PdfWriter;

namespace {

std::string NamedFont(const std::string& baseFont) {
    return "<< /Type /Font /Subtype /Type1 /BaseFont /" + baseFont + " /Encoding /WinAnsiEncoding >>";
}

// A TrueType program embedded under a name that says nothing of its weight.
std::string EmbeddedFont(PdfWriter& pdf, const std::string& path, const std::string& name) {
    const std::string program = testpdf::ReadFile(path);
    const int file = pdf.AddStream("/Length1 " + std::to_string(program.size()), program);
    const int descriptor = pdf.AddObject("<< /Type /FontDescriptor /FontName /" + name +
                                         " /Flags 32 /FontBBox [0 -200 1000 900] /ItalicAngle 0 /Ascent 900 "
                                         "/Descent -200 /CapHeight 700 /StemV 80 /FontFile2 " +
                                         std::to_string(file) + " 0 R >>");
    std::string widths;
    for (int c = 32; c <= 126; ++c) widths += "600 ";
    return "<< /Type /Font /Subtype /TrueType /BaseFont /" + name + " /FirstChar 32 /LastChar 126 /Widths [" + widths +
           "] /Encoding /WinAnsiEncoding /FontDescriptor " + std::to_string(descriptor) + " 0 R >>";
}

std::string StyleOf(const std::string& xml, const std::string& word) {
    for (const TextElement& e : Elements(xml))
        if (e.content == word) return Attr(e.dataLine, "style");
    return "missing";
}

}  // namespace

TEST(BoldFaces, WeightsInNamesProgramsAndStrokedOutlinesAreBold) {
    PdfWriter pdf;
    pdf.SetFont("X", NamedFont("ABCDEF+CMBX10"));
    pdf.SetFont("S", NamedFont("SFBI1095"));
    pdf.SetFont("J", NamedFont("HiraKakuPro-W6"));
    pdf.SetFont("L", NamedFont("HiraKakuPro-W3"));
    pdf.SetFont("R", NamedFont("CMR10"));
    const std::string dejavu = "/usr/share/fonts/truetype/dejavu/";
    const bool embedded = std::filesystem::exists(dejavu + "DejaVuSans-Bold.ttf");
    if (embedded) {
        pdf.SetFont("E", EmbeddedFont(pdf, dejavu + "DejaVuSans-Bold.ttf", "Quill"));
        pdf.SetFont("F", EmbeddedFont(pdf, dejavu + "DejaVuSans.ttf", "Plume"));
    }
    std::string content = Show("texbold", 72, 700, 12, "X") + Show("ecbold", 72, 680, 12, "S") +
                          Show("heavy", 72, 660, 12, "J") + Show("light", 72, 640, 12, "L") +
                          Show("roman", 72, 620, 12, "R") +
                          // Filled and stroked at 0.4 points: the usual fake bold; at no width it is none.
                          "BT 2 Tr 0.4 w /F1 12 Tf 72 600 Td (stroked) Tj ET\n"
                          "BT 2 Tr 0 w /F1 12 Tf 72 580 Td (hairline) Tj ET\n";
    if (embedded) content += Show("programbold", 72, 560, 12, "E") + Show("programplain", 72, 540, 12, "F");
    pdf.AddPage(content);
    const std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(StyleOf(xml, "texbold"), "1");
    EXPECT_EQ(StyleOf(xml, "ecbold"), "1");
    EXPECT_EQ(StyleOf(xml, "heavy"), "1");
    EXPECT_EQ(StyleOf(xml, "light"), "0");
    EXPECT_EQ(StyleOf(xml, "roman"), "0");
    EXPECT_EQ(StyleOf(xml, "stroked"), "1");
    EXPECT_EQ(StyleOf(xml, "hairline"), "0");
    if (embedded) {
        EXPECT_EQ(StyleOf(xml, "programbold"), "1");
        EXPECT_EQ(StyleOf(xml, "programplain"), "0");
    }
}
