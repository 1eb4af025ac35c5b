#include <gtest/gtest.h>

#include "rtf/CRtfDocument.h"
#include "rtftext/TableWriter.h"
#include "support/FlowTestPage.h"
#include "support/RtfText.h"

using rtftest::ItemSet;
using rtftest::Occurrences;
using testpdf::RtfPlainText;

namespace {

// A 3 x 3 grid: the top row's first two cells merged across, the first column's
// lower two cells merged down; ruled all round in red, the last cell shaded grey.
struct MergedTable {
    ItemSet set;
    CRtfDocument document;
    CRtfPage page{&document, 1};
    PageTable table;

    MergedTable() {
        document.colours.AddColor(255, 0, 0);
        document.colours.AddTableColours();
        page.margins.left = 36;
        table.columnEdges = {36, 136, 236, 336};
        table.rowEdges = {100, 120, 140, 160};
        auto cell = [&](int row, int column, int rowSpan, int columnSpan, std::vector<CRtfXmlText*> items) {
            TableCell c;
            c.row = row;
            c.column = column;
            c.rowSpan = rowSpan;
            c.columnSpan = columnSpan;
            c.items = std::move(items);
            for (CellBorder* side : {&c.top, &c.left, &c.bottom, &c.right}) *side = {true, 15, 0x0000FF};
            table.cells.push_back(c);
        };
        cell(0, 0, 1, 2, {set.Add({40, 104, 90, 116}, {"Heading"})});
        cell(0, 2, 1, 1, {set.Add({300, 104, 330, 116}, {"Sum"})});
        cell(1, 0, 2, 1, {set.Add({40, 124, 90, 136}, {"Group"}), set.Add({40, 144, 90, 156}, {"second"})});
        cell(1, 1, 1, 1, {set.Add({140, 124, 170, 136}, {"a"}), set.Add({180, 124, 200, 136}, {"b"})});
        cell(1, 2, 1, 1, {set.Add({310, 124, 330, 136}, {"12"})});
        cell(2, 1, 1, 1, {});
        cell(2, 2, 1, 1, {set.Add({310, 144, 330, 156}, {"7"})});
        table.cells.back().align = CellAlign::Right;
        table.cells.back().ground = 0xD9D9D9;
    }
};

}  // namespace

TEST(TableWriter, RowsCarryTheirMergesBordersGroundsAndCellEdgesFromTheMargin) {
    MergedTable t;
    const std::string rtf = WriteTable(t.table, t.page, 100);
    EXPECT_EQ(Occurrences(rtf, "\\row"), 3u);
    EXPECT_EQ(Occurrences(rtf, "\\cell"), 9u + 9u) << "nine cell edges and nine cells";
    EXPECT_EQ(testpdf::ControlWordValues(rtf, "cellx"), (std::vector<long>{1333, 2666, 4000, 1333, 2666, 4000, 1333, 2666, 4000}));
    EXPECT_EQ(Occurrences(rtf, "\\clmgf"), 1u);
    EXPECT_EQ(Occurrences(rtf, "\\clmrg"), 1u);
    EXPECT_EQ(Occurrences(rtf, "\\clvmgf"), 1u);
    EXPECT_EQ(Occurrences(rtf, "\\clvmrg"), 1u);
    // Red is the document's colour 1; the grey ground finds its own entry.
    EXPECT_NE(rtf.find("\\clbrdrt\\brdrs\\brdrw15\\brdrcf1"), std::string::npos);
    EXPECT_NE(rtf.find("\\clcbpat" + std::to_string(t.document.colours.Nearest(0xD9D9D9))), std::string::npos);
    EXPECT_NE(rtf.find("\\qr"), std::string::npos);
    // The words in reading order, the merged cell's two lines as two paragraphs.
    const std::string text = RtfPlainText(rtf);
    EXPECT_LT(text.find("Heading"), text.find("Sum"));
    EXPECT_LT(text.find("Sum"), text.find("Group"));
    EXPECT_LT(text.find("Group"), text.find("a b"));
    // A merged cell's text stands in its first grid cell.
    EXPECT_LT(text.find("second"), text.find("12"));
    EXPECT_NE(rtf.find("Group}\\par\\pard\\intbl"), std::string::npos) << rtf;
}

TEST(TableWriter, TextLayoutsWriteARowAsOneLineWithTabsBetweenCells) {
    MergedTable t;
    const std::string rtf = WriteTableLines(t.table, true);
    EXPECT_EQ(Occurrences(rtf, "\\par") - Occurrences(rtf, "\\pard"), 3u);
    const std::string first = rtf.substr(0, rtf.find("\\par", 1));
    EXPECT_EQ(Occurrences(first, "\\tab"), 2u);
    EXPECT_LT(first.find("Heading"), first.find("Sum"));
    EXPECT_NE(RtfPlainText(rtf).find("Group second"), std::string::npos);
}
