// Run text into the bytes of a data line.
#include <gtest/gtest.h>

#include "ExtractRun.h"
#include "XmlLineGrammar.h"

using namespace extracttest;
using testpdf::PdfWriter;

TEST(TextEscape, MarkupCharactersAndPlainBytes) {
    PdfWriter pdf;
    pdf.AddPage(Show("x<y&\"z\">", 72, 700) + Show("{\\}", 72, 680) + Show("caf\xE9", 72, 660));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"x&lt;y&amp;&quot;z&quot;&gt;", "{\\}", "caf\xE9"}));
}

TEST(TextEscape, UnicodeBeyondLatin1) {
    PdfWriter pdf;
    // A..L stand for these code points.
    pdf.AddUnicodeFont("U1", {0x0100, 0x0101, 0x20AC, '5', 0x00AD, 0x00A0, 0x00E9, 0x0007, 0x0080, 0x00FF, 0x1F600, 'z'});
    pdf.AddPage(Show("AB", 72, 700, 12, "U1") + Show("CD", 72, 680, 12, "U1") + Show("LELFL", 72, 660, 12, "U1") +
                Show("GHIJ", 72, 640, 12, "U1") + Show("K", 72, 620, 12, "U1"));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"\\uc1\\u257X", "\\uc1\\u8364X5", "zz z", "\xE9\xFF",
                                                       "\\uc1\\u128512X"}));
}

// A line break inside run text would split the data line.
TEST(TextEscape, LineBreaksInRunTextBecomeBlanks) {
    PdfWriter pdf;
    pdf.AddUnicodeFont("U1", {'a', 0x000A, 'b', 0x000D, 'c', 0x000C});
    pdf.AddPage(Show("ABCDEF", 72, 700, 12, "U1"));
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"a b c\f"}));
}
