#include <gtest/gtest.h>

#include "rtftext/ColumnWriter.h"
#include "support/FlowTestPage.h"
#include "support/RtfTestXml.h"
#include "rtftext/RunWriter.h"

using namespace rtftest;
using testpdf::TempDir;

namespace {

const std::string kSectionBreak = "\\pard\\sect\\sectd\\sbknone";

// A heading over two columns of two lines each, at the given top.
std::string HeadingOverTwoColumns(int top, const std::string& tag) {
    return Text(top, 300, 300, 22, 0, "Heading" + tag) + Text(top + 40, 60, 380, 15, 0, "Left" + tag + "a") +
           Text(top + 58, 60, 380, 15, 0, "Left" + tag + "b") + Text(top + 40, 480, 380, 15, 0, "Right" + tag + "a") +
           Text(top + 58, 480, 380, 15, 0, "Right" + tag + "b");
}

// Converts the pages in "FLOWING TEXT" and returns the RTF.
std::string FlowingRtf(const TempDir& dir, const std::vector<std::string>& pages) {
    std::string xml = Root();
    for (size_t i = 0; i < pages.size(); ++i)
        xml += PageLine(static_cast<int>(i + 1)) + (i == 0 ? FontSpec(0, 12, "Times") : "") + Margin() + pages[i] +
               "</page>\n";
    {
        auto doc = Load(dir, xml + kEnd);
        EXPECT_TRUE(doc && doc->OpenRtf());
        if (!doc) return {};
        doc->SetLayoutMode(kLayoutFlowing);
        for (size_t i = 0; i < pages.size(); ++i) {
            doc->ReadPage(static_cast<int>(i + 1));
            doc->WritePage({.first = i == 0, .last = i + 1 == pages.size()});
        }
    }
    return testpdf::ReadFile(dir / "out.rtf");
}

}  // namespace

TEST(FlowingBody, HeadingSectionBreakColumnsAndNoTrailingBreak) {
    TempDir dir;
    std::string rtf = FlowingRtf(dir, {HeadingOverTwoColumns(100, "")});
    EXPECT_EQ(Occurrences(rtf, kSectionBreak), 1u) << rtf;
    size_t heading = rtf.find("{Heading}"), brk = rtf.find(kSectionBreak), cols = rtf.find("\\cols2");
    EXPECT_LT(heading, brk);
    EXPECT_EQ(cols, brk + kSectionBreak.size());
    EXPECT_LT(rtf.find("{Lefta}"), rtf.find("{Leftb}"));
    EXPECT_LT(rtf.find("{Leftb}"), rtf.find("\\column"));
    EXPECT_LT(rtf.find("\\column"), rtf.find("{Righta}"));
    EXPECT_EQ(Occurrences(rtf, "\\column"), 1u);
    EXPECT_TRUE(rtf.ends_with("\\par}")) << rtf.substr(rtf.size() - 40);
    // Columns from the left margin (36) to the right margin (918 - 10): 444 and 428 units.
    EXPECT_NE(rtf.find("\\cols2\\colno1\\colw5920\\colsr-0\\colno2\\colw5706"), std::string::npos) << rtf;
}

TEST(FlowingBody, LaterPagesRepeatThePageSetupAtEachSectionBreak) {
    TempDir dir;
    std::string rtf = FlowingRtf(dir, {HeadingOverTwoColumns(100, "1"), HeadingOverTwoColumns(100, "2")});
    EXPECT_EQ(Occurrences(rtf, "\\pard\\sect\\sectd\\sbkpage"), 1u);
    size_t second = rtf.find("\\sbkpage");
    EXPECT_EQ(Occurrences(rtf.substr(0, second), kSectionBreak + "\\cols2"), 1u);
    EXPECT_EQ(Occurrences(rtf.substr(second), kSectionBreak + "\\pgwsxn12240\\pghsxn15840\\marglsxn480\\margrsxn133\\cols2"),
              1u)
        << rtf.substr(second);
}

// A section starting below a tall line of the section above wrote "\sl--N".
TEST(FlowingBody, LinesAboveTheCursorKeepTheirOwnHeight) {
    FlowPage p;
    CRtfXmlText* line = p.Line({40, 100, 200, 114}, "above");
    Column column(line);
    int x = 40, y = 130;
    std::string rtf = WriteLineParagraph(line, x, y, p.layout);
    EXPECT_EQ(rtf, "\\pard\\li0\\ri0\\sl-186\\slmult0 " + WriteRuns(line->runs, 0) + "\\par");
    EXPECT_EQ(y, 130);
}

// Lines turned against their page have no text shape yet: their words were lost.
TEST(FlowingBody, LinesTurnedAgainstThePageKeepTheirWords) {
    TempDir dir;
    std::string xml = Root() + PageLine(1, 918, 1188, 270) + FontSpec(0, 12, "Times") + Margin() +
                      Text(100, 100, 60, 15, 0, "turned") + Text(100, 170, 60, 15, 0, "words") + "</page>\n" + kEnd;
    {
        auto doc = Load(dir, xml);
        ASSERT_TRUE(doc && doc->OpenRtf());
        doc->ReadPage(1);
        doc->WritePage({.first = true, .last = true});
    }
    std::string rtf = testpdf::ReadFile(dir / "out.rtf");
    EXPECT_NE(rtf.find("{turned}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{words}"), std::string::npos);
}
