#include <gtest/gtest.h>

#include "support/RtfTestItems.h"
#include "rtftext/RunWriter.h"

using rtftest::ItemSet;

namespace {

TextRun& FirstRun(CRtfXmlText* item) { return *item->runs.front(); }

}  // namespace

TEST(RunWriter, SizeColourFontScaleAndStyleWords) {
    ItemSet set;
    CRtfXmlText* item = set.Add({0, 0, 10, 10}, {"Ab"}, 12, 1);
    TextRun& run = FirstRun(item);
    run.colorIndex = 2;
    run.fontIndex = 3;
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf2\\f3\\charscalex100\\b {Ab}\\b0 ");
    run.style = 0x04;
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf2\\f3\\charscalex100\\ul {Ab}\\ul0 ");
    run.style = 0x01 | 0x02 | 0x04 | 0x40 | 0x08;
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf2\\f3\\charscalex100\\b \\i \\ul \\shad {Ab}\\b0 \\i0 \\ul0 \\shad0 ");
    run.style = 0;
    run.hScale = 90;
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf2\\f3\\charscalex90 {Ab}");
    EXPECT_EQ(WriteRun(run, 3), "\\fs29\\up1\\cf2\\f3\\charscalex90 {Ab}");
    EXPECT_EQ(WriteRun(run, -3), "\\fs29\\up-1\\cf2\\f3\\charscalex90 {Ab}");
    EXPECT_EQ(WritePlainRun(run), "\\f3 {Ab}");
    run.text.clear();
    EXPECT_EQ(WriteRun(run, 0), "");
    EXPECT_EQ(WritePlainRun(run), "");
}

TEST(RunWriter, EscapingKeepsReaderEscapesSingle) {
    ItemSet set;
    TextRun& run = FirstRun(set.Add({0, 0, 10, 10}, {"a\\b \\{x\\} \\uc1\\u8226X"}));
    EXPECT_EQ(WritePlainRun(run), "\\f0 {a\\\\b \\{x\\} \\uc1\\u8226X}");
    // A backslash in the source before a brace: the backslash doubles, the brace stays escaped.
    run.text = "\\\\{";
    EXPECT_EQ(WritePlainRun(run), "\\f0 {\\\\\\{}");
}

TEST(RunWriter, WideCharactersAreSigned16BitEscapes) {
    ItemSet set;
    TextRun& run = FirstRun(set.Add({0, 0, 10, 10}, {"a\\uc1\\u63736Xb\\uc1\\u120143X\\uc1\\u947X\\uc1\\u12"}));
    EXPECT_EQ(WritePlainRun(run),
              "\\f0 {a\\uc1\\u-1800Xb\\uc1\\u-10187X\\uc1\\u-8881X\\uc1\\u947X\\uc1\\u12}");
}

TEST(RunWriter, IndexesBeyondTheTablesAreWrittenAsZero) {
    ItemSet set;
    CRtfXmlText* item = set.Add({0, 0, 10, 10}, {"x"});
    TextRun& run = FirstRun(item);
    run.colorIndex = 3;  // the list holds black, red and blue
    run.fontIndex = 4;   // the table holds entries 0 to 3
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf0\\f0\\charscalex100 {x}");
    EXPECT_EQ(WritePlainRun(run), "\\f0 {x}");
    run.colorIndex = -1;
    run.fontIndex = -2;
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf0\\f0\\charscalex100 {x}");
    // An item without a colour list (its font id was not declared) writes colour 0.
    item->colours = nullptr;
    run.colorIndex = 1;
    run.fontIndex = 2;
    EXPECT_EQ(WriteRun(run, 0), "\\fs24\\cf0\\f2\\charscalex100 {x}");
}
