// A table of the page as RTF: row definitions with each cell's merges, borders,
// ground and right edge, then the cells' paragraphs. Edges are measured from the
// page's left margin, as the word processor places a table in its section.
#include "rtftext/TableWriter.h"

#include <algorithm>
#include <cstdio>

#include "rtf/CRtfDocument.h"
#include "rtf/RtfUnits.h"
#include "rtftext/Hyperlinks.h"
#include "rtftext/ParagraphWriters.h"
#include "rtftext/RunWriter.h"

namespace {

// A border thinner than this (twips) vanishes on screen; thicker than this, word
// processors refuse it.
constexpr int kThinnestBorder = 5;
constexpr int kThickestBorder = 75;
// Room between a cell's edge and its text (twips): the source's text nearly
// touches its rules, and more room would wrap it.
constexpr int kCellPadding = 29;
// Gaps above a table smaller than this (XML units) are the line spacing's own.
constexpr int kSmallestGap = 4;

// The cell covering a grid cell, or none.
const TableCell* CellAt(const PageTable& table, int row, int column) {
    for (const TableCell& cell : table.cells)
        if (row >= cell.row && row < cell.row + cell.rowSpan && column >= cell.column &&
            column < cell.column + cell.columnSpan)
            return &cell;
    return nullptr;
}

std::string Border(const char* side, const CellBorder& border, const CRtfColorList& colours) {
    std::string out = std::string("\\clbrdr") + side;
    if (!border.drawn) return out + "\\brdrnone";
    char buf[64];
    std::snprintf(buf, sizeof buf, "\\brdrs\\brdrw%d\\brdrcf%d",
                  std::clamp(border.widthTwips, kThinnestBorder, kThickestBorder), colours.Nearest(border.colour));
    return out + buf;
}

// Items of one text row stand side by side: a new row starts below the middle of the last.
std::vector<std::vector<CRtfXmlText*>> TextRows(const std::vector<CRtfXmlText*>& items) {
    std::vector<std::vector<CRtfXmlText*>> rows;
    int rowBottom = 0;
    for (CRtfXmlText* item : items) {
        const int middle = (item->box.top + item->box.bottom) / 2;
        if (rows.empty() || middle >= rowBottom) {
            rows.emplace_back();
            rowBottom = item->box.bottom;
        } else {
            rowBottom = std::max(rowBottom, item->box.bottom);
        }
        rows.back().push_back(item);
    }
    return rows;
}

const char* Alignment(CellAlign align) {
    switch (align) {
        case CellAlign::Right: return "\\qr";
        case CellAlign::Centre: return "\\qc";
        default: return "\\ql";
    }
}

// The cell's text rows as paragraphs with exact spacing, each down to its row's
// bottom from the one before (the first from the cell's top), so that the text keeps
// its height inside the cell.
std::string CellText(const TableCell& cell, int cellTop, CRtfPage& page) {
    std::string out;
    int cursor = cellTop;
    for (const auto& row : TextRows(cell.items)) {
        int bottom = 0, height = 0;
        for (CRtfXmlText* item : row) {
            item->page = &page;
            bottom = std::max(bottom, item->box.bottom);
            height = std::max(height, item->box.Height());
        }
        const int spacing = bottom - cursor >= height ? bottom - cursor : height;
        cursor = std::max(cursor, bottom);
        char head[96];
        std::snprintf(head, sizeof head, "\\pard\\intbl%s\\sl-%d\\slmult0 ", Alignment(cell.align),
                      std::max(ToTwips(spacing), 1));
        if (!out.empty()) out += "\\par";
        out += head + ApplyLinks(*row.front(), PiecesText(row, [](const CRtfXmlText& i) { return WriteRuns(i.runs, 0); }, true));
    }
    if (out.empty()) out = std::string("\\pard\\intbl") + Alignment(cell.align) + " ";
    return out + "\\cell";
}

std::string RowDefinition(const PageTable& table, int row, const CRtfPage& page) {
    const CRtfColorList* colours = page.document ? &page.document->colours : nullptr;
    static const CRtfColorList kBlackOnly;
    if (!colours) colours = &kBlackOnly;
    const int origin = page.margins.left;
    char buf[200];
    std::snprintf(buf, sizeof buf, "\\trowd\\trgaph0\\trleft%d\\trrh%d\\trpaddl%d\\trpaddr%d\\trpaddfl3\\trpaddfr3",
                  ToTwips(table.columnEdges.front() - origin),
                  ToTwips(table.rowEdges[static_cast<size_t>(row) + 1] - table.rowEdges[static_cast<size_t>(row)]),
                  kCellPadding, kCellPadding);
    std::string out = buf;
    for (int column = 0; column < table.Columns(); ++column) {
        const TableCell* cell = CellAt(table, row, column);
        if (cell) {
            if (cell->rowSpan > 1) out += cell->row == row ? "\\clvmgf" : "\\clvmrg";
            if (cell->columnSpan > 1) out += cell->column == column ? "\\clmgf" : "\\clmrg";
            out += Border("t", cell->top, *colours) + Border("l", cell->left, *colours) +
                   Border("b", cell->bottom, *colours) + Border("r", cell->right, *colours);
            if (cell->ground) {
                std::snprintf(buf, sizeof buf, "\\clcbpat%d", colours->Nearest(*cell->ground));
                out += buf;
            }
        }
        std::snprintf(buf, sizeof buf, "\\cellx%d",
                      ToTwips(table.columnEdges[static_cast<size_t>(column) + 1] - origin));
        out += buf;
    }
    return out;
}

}  // namespace

std::string WriteTable(const PageTable& table, CRtfPage& page, int top) {
    if (table.Rows() < 1 || table.Columns() < 1) return {};
    std::string out;
    const int gap = table.rowEdges.front() - top;
    if (gap > kSmallestGap) {
        char space[96];
        std::snprintf(space, sizeof space, "\\pard\\plain\\fs2\\sl-%d\\slmult0\\par", ToTwips(gap));
        out += space;
    }
    for (int row = 0; row < table.Rows(); ++row) {
        out += RowDefinition(table, row, page);
        for (int column = 0; column < table.Columns(); ++column) {
            const TableCell* cell = CellAt(table, row, column);
            // A merged cell's text stands in its first grid cell; the others it covers stay empty.
            if (cell && cell->row == row && cell->column == column)
                out += CellText(*cell, table.rowEdges[static_cast<size_t>(row)], page);
            else
                out += "\\pard\\intbl \\cell";
        }
        out += "\\row\n";
    }
    return out;
}

std::string WriteTableLines(const PageTable& table, bool plain) {
    std::string out;
    for (int row = 0; row < table.Rows(); ++row) {
        std::string line;
        for (int column = 0; column < table.Columns(); ++column) {
            if (column > 0) line += "\\tab ";
            const TableCell* cell = CellAt(table, row, column);
            if (!cell || cell->row != row || cell->column != column) continue;
            std::string text;
            for (const auto& textRow : TextRows(cell->items)) {
                if (!text.empty()) text += "{ }";
                text += plain ? PiecesText(textRow, [](const CRtfXmlText& i) { return WritePlainRuns(i.runs); }, true)
                              : PiecesText(textRow, [](const CRtfXmlText& i) { return WriteRuns(i.runs, 0); }, true);
            }
            line += plain ? StripLinks(text) : (cell->items.empty() ? text : ApplyLinks(*cell->items.front(), text));
        }
        out += "\\pard " + line + "\\par";
    }
    return out;
}
