#include <gtest/gtest.h>

#include "rtftext/ColumnWriter.h"
#include "rtf/CRtfPage.h"
#include "layout/Column.h"
#include "layout/PageLayout.h"
#include "support/RtfTestItems.h"
#include "rtftext/RunWriter.h"
#include "rtftext/ParagraphWriters.h"

using rtftest::ItemSet;

namespace {

std::string Runs(CRtfXmlText* item) { return WriteRuns(item->runs, 0); }

}  // namespace

TEST(ParagraphWriters, FormattedLineKeepsJoinOrderWithBlanksBetweenSeparatePieces) {
    ItemSet set;
    CRtfXmlText* head = set.Add({10, 100, 40, 118}, {"one"});
    CRtfXmlText* touching = set.Add({40, 100, 60, 118}, {"two"});
    CRtfXmlText* overlapping = set.Add({58, 100, 80, 118}, {"three"});
    CRtfXmlText* apart = set.Add({84, 100, 99, 118}, {"four"});
    CRtfXmlText* left = set.Add({0, 100, 8, 118}, {"zero"});
    ItemSet::Join(head, {touching, overlapping, apart, left});
    EXPECT_EQ(WriteFormattedParagraph(*head), "\\pard " + Runs(head) + Runs(touching) + Runs(overlapping) + "{ }" +
                                                   Runs(apart) + "{ }" + Runs(left) + "\\par");
}

TEST(ParagraphWriters, TextOnlyWritesFontsAndVisibleLinkText) {
    ItemSet set;
    CRtfXmlText* head = set.Add({10, 100, 40, 118}, {"see"});
    CRtfXmlText* link = set.Add({45, 100, 90, 118}, {"<#dsAnchor#http://x.org~dsAnchor#>here</~dsAnchor#>"});
    head->runs.front()->fontIndex = 2;
    ItemSet::Join(head, {link});
    EXPECT_EQ(WritePlainParagraph(*head), "\\pard \\f2 {see}{ }\\f0 {here}\\par");
    CRtfXmlText* alone = set.Add({10, 200, 40, 218}, {"alone"});
    EXPECT_EQ(WritePlainParagraph(*alone), "\\pard \\f0 {alone}\\par");
    EXPECT_EQ(WriteFormattedParagraph(*alone), "\\pard " + Runs(alone) + "\\par");
}

TEST(ColumnWriter, FillersAndExactLineSpacing) {
    ItemSet set;
    CRtfPage page(nullptr, 1);
    PageLayout layout(page);
    CRtfXmlText* first = set.Add({40, 150, 90, 162}, {"first"});
    Column column(first);
    column.columnBox = {40, 100, 300, 162};
    std::string filler = "\\pard\\li0\\ri0\\sl-213\\slmult0 \\fs18\\cf0\\par";
    EXPECT_EQ(WriteColumn(column, layout), filler + filler + filler + "\\pard\\li0\\ri0\\sl-186\\slmult0 " + Runs(first) + "\\par");

    // A gap of exactly one filler step: no filler, the spacing spans it.
    int x = 40, y = 162;
    CRtfXmlText* second = set.Add({60, 178, 90, 190}, {"second"});
    second->page = &page;
    EXPECT_EQ(WriteLineParagraph(second, x, y, layout), "\\pard\\li266\\ri0\\sl-373\\slmult0 " + Runs(second) + "\\par");
    EXPECT_EQ(y, 190);

    // Left of the column's start: no indent for the line, one unit for its fillers.
    CRtfXmlText* outdented = set.Add({30, 210, 90, 222}, {"out"});
    outdented->page = &page;
    EXPECT_EQ(WriteLineParagraph(outdented, x, y, layout),
              "\\pard\\li13\\ri0\\sl-213\\slmult0 \\fs18\\cf0\\par\\pard\\li0\\ri0\\sl-213\\slmult0 " + Runs(outdented) +
                  "\\par");

    // A line without text keeps its fillers and moves the cursor.
    CRtfXmlText* empty = set.Add({40, 260, 90, 272}, {""});
    empty->page = &page;
    EXPECT_EQ(WriteLineParagraph(empty, x, y, layout), "\\pard\\li0\\ri0\\sl-213\\slmult0 \\fs18\\cf0\\par\\pard\\li0\\ri0\\sl-213\\slmult0 \\fs18\\cf0\\par");
    EXPECT_EQ(y, 272);
}

TEST(ColumnWriter, LinesHangingBelowTheColumnAreRefused) {
    ItemSet set;
    CRtfXmlText* first = set.Add({40, 100, 90, 120}, {"a"});
    Column column(first);
    EXPECT_EQ(column.columnBox, first->lineBox);
    EXPECT_FALSE(column.AddLine(set.Add({40, 110, 90, 130}, {"half below"})));
    EXPECT_TRUE(column.AddLine(set.Add({40, 108, 90, 131}, {"mostly inside"})));
    EXPECT_EQ(column.columnBox.bottom, 131);
    EXPECT_EQ(column.lines.size(), 2u);
    column.AppendLine(set.Add({40, 300, 90, 320}, {"far"}));
    EXPECT_EQ(column.columnBox.bottom, 320);
    // Overlapping pieces run on; a piece standing below the others is another word.
    EXPECT_EQ(RunsText(column), Runs(column.lines[0]) + Runs(column.lines[1]) + "{ }" + Runs(column.lines[2]));
    Column none;
    EXPECT_TRUE(none.lines.empty());
    EXPECT_TRUE(none.columnBox.Empty());
}
