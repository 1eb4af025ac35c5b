#include <gtest/gtest.h>

#include "rtftext/ColumnWriter.h"
#include "support/FlowTestPage.h"
#include "support/RtfText.h"
#include "layout/TableRow.h"
#include "rtf/RtfUnits.h"
#include "rtftext/RunWriter.h"

using rtftest::FlowPage;
using rtftest::ItemSet;
using rtftest::Occurrences;

namespace {

// A label beside two stacked pieces, in a column starting at x = 40.
struct Row {
    FlowPage p;
    CRtfXmlText* label;
    CRtfXmlText* upper;
    CRtfXmlText* lower;
    Column column;
    Row(RtfRect labelBox = {40, 100, 80, 112}) {
        label = p.Line(labelBox, "Name:");
        upper = p.set.Add({100, 94, 200, 108}, {"first"});
        lower = p.set.Add({100, 110, 200, 124}, {"second"});
        ItemSet::Join(label, {upper, lower});
        column.lines.push_back(label);
        column.columnBox = {40, 90, 300, 124};
    }
};

}  // namespace

TEST(TableRows, LabelBesideTwoStackedPiecesIsATwoCellRow) {
    Row r;
    EXPECT_TRUE(IsTableRow(*r.label));
    std::string rtf = WriteColumn(r.column, r.p.layout);
    EXPECT_TRUE(r.label->itemFlags & kItemTable);
    EXPECT_EQ(rtf.rfind("{\\trowd\\trleft0\\trkeep\\trftsWidth1\\trpaddl0\\trpaddr0\\trpaddfl3\\trpaddfr3 ", 0), 0u) << rtf;
    EXPECT_TRUE(rtf.ends_with("\\row}")) << rtf;
    EXPECT_EQ(Occurrences(rtf, "\\cell "), 0u);
    EXPECT_EQ(Occurrences(rtf, "\\cell\\"), 2u);
    EXPECT_EQ(Occurrences(rtf, "\\brdrnone"), 8u);
    EXPECT_EQ(Occurrences(rtf, "\\clNoWrap"), 2u);
    EXPECT_EQ(Occurrences(rtf, "\\intbl"), 3u);
    // Key cell first, then the stacked cell with one paragraph per stack.
    EXPECT_LT(rtf.find("{Name:}"), rtf.find("{first}"));
    EXPECT_NE(rtf.find("{first}\\par\\pard\\li0\\ri0\\sl-213\\widctlpar\\intbl "), std::string::npos) << rtf;
    // The key cell reaches to the stacked pieces; the stacked cell 10 units past them.
    EXPECT_EQ(testpdf::ControlWordValues(rtf, "cellx"), (std::vector<long>{800, 2266}));
    EXPECT_EQ(testpdf::ControlWordValues(rtf, "clwWidth"), (std::vector<long>{800, 1466}));
    EXPECT_EQ(testpdf::ControlWordValues(rtf, "sl"), (std::vector<long>{-293, -240, -213}));
}

TEST(TableRows, WhatIsNoTable) {
    // One segment.
    FlowPage p;
    CRtfXmlText* head = p.Line({40, 100, 80, 112}, "one");
    ItemSet::Join(head, {p.set.Add({100, 94, 200, 108}, {"two"})});
    EXPECT_FALSE(IsTableRow(*head));

    // Pieces that form one stack only: a plain paragraph.
    FlowPage q;
    CRtfXmlText* label = q.Line({40, 100, 80, 112}, "label");
    CRtfXmlText* a = q.set.Add({100, 98, 150, 114}, {"a"});
    CRtfXmlText* b = q.set.Add({152, 98, 200, 114}, {"b"});
    ItemSet::Join(label, {a, b});
    TableRow cell(*label);
    EXPECT_EQ(cell.stacks.size(), 1u);
    EXPECT_FALSE(cell.Writable());
}

// The key lying inside the stacked pieces' span would have lost its words.
TEST(TableRows, KeyInsideTheStackedSpanWritesTheLineNormally) {
    Row r({140, 100, 160, 111});
    std::string rtf = WriteColumn(r.column, r.p.layout);
    EXPECT_FALSE(r.label->itemFlags & kItemTable);
    EXPECT_EQ(rtf.find("\\trowd"), std::string::npos);
    for (const char* word : {"{Name:}", "{first}", "{second}"}) EXPECT_NE(rtf.find(word), std::string::npos) << word;
}

// With the key cell last, a width used to be written as a position.
TEST(TableRows, KeyCellLastKeepsCellEdgesIncreasing) {
    Row r({220, 100, 280, 112});
    std::string rtf = WriteColumn(r.column, r.p.layout);
    ASSERT_TRUE(r.label->itemFlags & kItemTable) << rtf;
    EXPECT_LT(rtf.find("{second}"), rtf.find("{Name:}"));
    std::vector<long> edges = testpdf::ControlWordValues(rtf, "cellx");
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_GT(edges[0], 0);
    EXPECT_LT(edges[0], edges[1]);
    EXPECT_EQ(edges[1], ToTwips(280 - 40));
    for (long w : testpdf::ControlWordValues(rtf, "clwWidth")) EXPECT_GT(w, 0);
}

// Pieces joined into a line have no line box of their own.
TEST(TableRows, StacksStartFromThePiecesOwnBoxes) {
    Row r;
    r.upper->lineBox = {};
    r.lower->lineBox = {};
    TableRow cell(*r.label);
    ASSERT_EQ(cell.stacks.size(), 2u);
    EXPECT_EQ(cell.stacks[0]->columnBox, r.upper->box);
    EXPECT_EQ(cell.stacks[1]->columnBox, r.lower->box);
    EXPECT_EQ(cell.cellBox, (RtfRect{100, 94, 200, 124}));
}

// A row whose line lies above the cursor gave "\sl--N".
TEST(TableRows, RowAboveTheCursorKeepsPositiveSpacing) {
    Row r;
    r.label->page = &r.p.page;
    int x = 40, y = 400;
    std::string rtf = WriteLineParagraph(r.label, x, y, r.p.layout);
    EXPECT_EQ(rtf.find("\\sl--"), std::string::npos) << rtf;
    for (long v : testpdf::ControlWordValues(rtf, "sl")) EXPECT_LT(v, 0);
    EXPECT_EQ(y, 400);
}

TEST(TableRows, PiecesSideBySideInAStackAreWordsApart) {
    FlowPage p;
    CRtfXmlText* label = p.Line({40, 100, 80, 112}, "label");
    CRtfXmlText* a = p.set.Add({100, 94, 140, 108}, {"upper"});
    CRtfXmlText* b = p.set.Add({150, 94, 200, 108}, {"right"});
    CRtfXmlText* c = p.set.Add({100, 110, 200, 124}, {"lower"});
    ItemSet::Join(label, {a, b, c});
    TableRow cell(*label);
    ASSERT_EQ(cell.stacks.size(), 2u);
    EXPECT_EQ(RunsText(*cell.stacks[0]), WriteRuns(a->runs, 0) + "{ }" + WriteRuns(b->runs, 0));
}
