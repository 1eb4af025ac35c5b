#include <gtest/gtest.h>

#include "rtftext/CRtfFile.h"
#include "rtf/FontNameMapping.h"
#include "support/RtfTestXml.h"

using namespace rtftest;
using testpdf::ReadFile;
using testpdf::TempDir;

namespace {

// The paragraph every page holds, whatever else it holds, for its pictures and boxes to anchor to.
const char* const kAnchor = "\\pard\\plain\\fs2\\sl-20\\slmult0\\par\n";

size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
    return n;
}

std::string ThreePages(bool secondEmpty) {
    std::string xml = Root() + FontSpec(0, 12, "Times");
    for (int n = 1; n <= 3; ++n) {
        xml += PageLine(n) + Margin();
        if (!(secondEmpty && n == 2)) xml += Text(100, 50, 60, 15, 0, "Page" + std::to_string(n));
        xml += "</page>\n";
    }
    return xml + kEnd;
}

// Converts pages first..last of the XML like the driver does and gives the RTF.
std::string Convert(const std::string& xml, int mode, int first = 1, int last = 3) {
    TempDir dir;
    {
        auto doc = Load(dir, xml);
        EXPECT_TRUE(doc);
        if (!doc) return {};
        doc->SetLayoutMode(mode);
        EXPECT_TRUE(doc->OpenRtf());
        for (int n = first; n <= last; ++n) {
            doc->ReadPage(n);
            doc->WritePage({.first = n == first, .last = n == last});
        }
    }
    return ReadFile(dir / "out.rtf");
}

}  // namespace

TEST(RtfWriter, UnitsAndLayoutModes) {
    EXPECT_EQ(ToTwips(612), 8160);
    EXPECT_EQ(ToTwips(792), 10560);
    EXPECT_EQ(ToTwips(16), 213);
    EXPECT_EQ(ToTwips(-3), -40);
    TempDir dir;
    auto doc = Load(dir, Root() + kEnd);
    ASSERT_TRUE(doc);
    doc->SetLayoutMode(7);
    EXPECT_EQ(doc->Document().layoutMode, kLayoutFlowing);
    doc->SetLayoutMode(3);
    EXPECT_EQ(doc->Document().layoutMode, kLayoutTextOnly);
    // Without a page nothing is written, and that is no failure.
    EXPECT_TRUE(doc->WritePage({.first = true, .last = true}));
}

TEST(RtfWriter, HeaderWithTablesAndInformation) {
    std::string xml = Root(R"(author="X{y}" keywords="K" date="D" subject="")") + PageLine(1) +
                      FontSpec(0, 12, "Times", "#ff0000") + "</page>\n" + kEnd;
    std::string rtf = Convert(xml, kLayoutTextOnly, 1, 1);
    std::string expected = "{\\rtf\\ansi\\deff0\\ansicpg1252\n{\\fonttbl\n{\\f0" + FamilyClass("Times New Roman") +
                           " Times New Roman;}}\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\n"
                           "{\\info{\\author X\\{y\\}}{\\operator K}}\n\\jexpand\\viewkind1\\viewscale100\n";
    // The page holds no text, and is still a page with its paper.
    EXPECT_EQ(rtf, expected + "\\paperw12240\\paperh15840\\margl0\\margr0\\margt0\\margb0\n}");
}

TEST(RtfWriter, NoInformationGroupWithoutAuthorSubjectAndKeywords) {
    std::string rtf = Convert(Root(R"(author="" keywords="" date="2004" subject="")") + kEnd, 0, 1, 0);
    EXPECT_EQ(rtf.find("{\\info"), std::string::npos);
    EXPECT_EQ(rtf.back(), '}');
}

TEST(RtfWriter, OnePageHasDocumentSetupAndNoBreak) {
    std::string rtf = Convert(ThreePages(false), kLayoutTextOnly, 1, 1);
    EXPECT_NE(rtf.find("\\paperw12240\\paperh15840\\margl480\\margr133\\margt480\\margb133\n\\pard "), std::string::npos)
        << rtf;
    EXPECT_EQ(rtf.find("\\sect"), std::string::npos);
    EXPECT_NE(rtf.find("{Page1}"), std::string::npos);
    EXPECT_EQ(rtf.substr(rtf.size() - 5), "\\par}");
}

TEST(RtfWriter, LaterPagesGetBreaksAndSectionSetups) {
    std::string rtf = Convert(ThreePages(false), kLayoutFormatted);
    EXPECT_EQ(Count(rtf, "\\pard\\sect\\sectd\\sbkpage"), 2u);
    EXPECT_EQ(Count(rtf, "\\paperw"), 1u);
    EXPECT_EQ(Count(rtf, "\\pgwsxn12240\\pghsxn15840\\marglsxn480\\margrsxn133\\margtsxn480\\margbsxn133"), 2u);
    EXPECT_LT(rtf.find("{Page1}"), rtf.find("\\sbkpage"));
    // An empty page in the middle is a page too: its break and its paper.
    std::string gap = Convert(ThreePages(true), kLayoutFormatted);
    EXPECT_EQ(Count(gap, "\\pard\\sect\\sectd\\sbkpage"), 2u);
    EXPECT_EQ(Count(gap, "\\pgwsxn"), 2u);
}

// A first page without text still sets the paper of the document, and the second
// page's text comes after the break.
TEST(RtfWriter, AnEmptyFirstPageIsAPageOfItsOwn) {
    std::string xml = Root() + FontSpec(0, 12, "Times") + PageLine(1) + "</page>\n" + PageLine(2) + Margin() +
                      Text(100, 50, 60, 15, 0, "Two") + "</page>\n" + kEnd;
    std::string rtf = Convert(xml, kLayoutFormatted, 1, 2);
    EXPECT_EQ(Count(rtf, "\\paperw"), 1u);
    EXPECT_LT(rtf.find("\\paperw"), rtf.find("\\pard\\sect\\sectd\\sbkpage\\pgwsxn"));
    EXPECT_LT(rtf.find("\\sbkpage"), rtf.find("{Two}"));
    // Every page empty: each a section with its paper.
    std::string empty = Convert(Root() + PageLine(1) + "</page>\n" + PageLine(2) + "</page>\n" + kEnd, 3, 1, 2);
    EXPECT_EQ(empty.substr(empty.find("\\viewscale100\n") + 14),
              "\\paperw12240\\paperh15840\\margl0\\margr0\\margt0\\margb0\n"
              "\\pard\\sect\\sectd\\sbkpage\\pgwsxn12240\\pghsxn15840\\marglsxn0\\margrsxn0\\margtsxn0"
              "\\margbsxn0}");
}

// "AS IS" text boxes are anchored to a paragraph of their own page, after them.
TEST(RtfWriter, AsIsPagesHoldTheParagraphTheirBoxesAnchorTo) {
    std::string rtf = Convert(ThreePages(true), kLayoutAsIs);
    EXPECT_EQ(Count(rtf, kAnchor), 2u);
    EXPECT_LT(rtf.find("{Page1}"), rtf.find(kAnchor));
    EXPECT_LT(rtf.find(kAnchor), rtf.find("\\sbkpage"));
}

TEST(RtfWriter, UnwritableOutputFailsToOpen) {
    TempDir dir;
    testpdf::WriteFile(dir / "doc.xml", Root() + kEnd);
    auto doc = RtfEngine::Create(dir / "doc.xml", dir / "no/such/folder/out.rtf");
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->OpenRtf());
    EXPECT_FALSE(doc->Writing());
}

TEST(RtfWriter, WordsOfTurnedPagesAreKept) {
    // On a page turned a quarter, the extraction reports the words of a line one
    // below the other with their own direction: none is in the page's reading
    // orientation, and no text shape is made for them.
    std::string xml = Root() + FontSpec(0, 12, "Times") + PageLine(1, 918, 1188, 90) + Margin() +
                      Text(95, 750, 1, 17, 0, "Landscape") + Text(183, 750, 1, 17, 0, "page") +
                      Text(95, 700, 1, 17, 0, "Second") + Text(160, 700, 1, 17, 0, "line") + "</page>\n" + kEnd;
    std::string rtf = Convert(xml, kLayoutTextOnly, 1, 1);
    EXPECT_NE(rtf.find("\\pard \\f0 {Landscape}{ }\\f0 {page}\\par\\pard \\f0 {Second}{ }\\f0 {line}\\par}"),
              std::string::npos)
        << rtf;
    std::string formatted = Convert(xml, kLayoutFormatted, 1, 1);
    EXPECT_NE(formatted.find("{Landscape}{ }\\fs24"), std::string::npos) << formatted;
}
