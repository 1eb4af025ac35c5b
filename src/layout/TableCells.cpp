// Filling a table's grid: cells merged where a drawn grid line is missing, the items each
// cell holds, the borders and grounds the page drew for it, and the alignment of its text.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <map>
#include <set>
#include <string>

#include "layout/ListMarker.h"
#include "layout/TableGeometry.h"

namespace tablefind {
namespace {

// How far a rule may stand from a grid line and still draw it.
constexpr int kBorderReach = kTouch;
// Spread of edges that still count as one alignment: rounding and glyph side bearings.
constexpr int kAlignSpread = 3;

// The length of [from, to) that the rules at position cover.
int Covered(const std::vector<const RuleLine*>& lines, bool horizontal, int position, int from, int to,
            const RuleLine** strongest) {
    std::vector<std::pair<int, int>> spans;
    int best = 0;
    for (const RuleLine* line : lines) {
        if (line->horizontal != horizontal || std::abs(line->position - position) > kBorderReach) continue;
        int a = std::max(from, line->from), b = std::min(to, line->to);
        if (b <= a) continue;
        spans.emplace_back(a, b);
        if (b - a > best) best = b - a, *strongest = line;
    }
    std::sort(spans.begin(), spans.end());
    int covered = 0, reach = from;
    for (const auto& [a, b] : spans) {
        if (b > reach) covered += b - std::max(a, reach), reach = b;
    }
    return covered;
}

bool Drawn(const std::vector<const RuleLine*>& lines, bool horizontal, int position, int from, int to) {
    const RuleLine* strongest = nullptr;
    return Covered(lines, horizontal, position, from, to, &strongest) * 2 >= to - from;
}

CellBorder SideBorder(const std::vector<const RuleLine*>& lines, bool horizontal, int position, int from, int to,
                      std::set<const RuleLine*>& used) {
    const RuleLine* strongest = nullptr;
    // A rule covering most of a side draws it; one crossing only a corner does not.
    if (Covered(lines, horizontal, position, from, to, &strongest) * 5 < (to - from) * 3 || !strongest) return {};
    used.insert(strongest);
    return {true, strongest->widthTwips, strongest->colour};
}

struct CellText {
    int left, right;
};

CellText TextExtent(const TableCell& cell) {
    CellText text{cell.items.front()->box.left, cell.items.front()->box.right};
    for (const CRtfXmlText* item : cell.items)
        text.left = std::min(text.left, item->box.left), text.right = std::max(text.right, item->box.right);
    return text;
}

// The alignment shared by the texts, or none when they share no edge.
std::optional<CellAlign> SharedAlign(const std::vector<CellText>& texts) {
    auto spread = [&](auto edge) {
        int lo = edge(texts.front()), hi = lo;
        for (const CellText& t : texts) lo = std::min(lo, edge(t)), hi = std::max(hi, edge(t));
        return hi - lo;
    };
    if (spread([](const CellText& t) { return t.left; }) <= kAlignSpread) return CellAlign::Left;
    if (spread([](const CellText& t) { return t.right; }) <= kAlignSpread) return CellAlign::Right;
    if (spread([](const CellText& t) { return (t.left + t.right) / 2; }) <= kAlignSpread) return CellAlign::Centre;
    return std::nullopt;
}

// A column's cells (one column wide, holding text, top to bottom) take the alignment
// they share; a heading above figures often sits otherwise, so the cells below it are
// judged alone when the whole column shares none.
void AlignColumn(const std::vector<TableCell*>& cells) {
    std::vector<CellText> texts;
    for (const TableCell* cell : cells) texts.push_back(TextExtent(*cell));
    if (texts.size() < 2) return;
    if (std::optional<CellAlign> all = SharedAlign(texts)) {
        for (TableCell* cell : cells) cell->align = *all;
        return;
    }
    if (texts.size() < 3) return;
    std::optional<CellAlign> body = SharedAlign({texts.begin() + 1, texts.end()});
    if (!body) return;
    for (size_t i = 1; i < cells.size(); ++i) cells[i]->align = *body;
    if (*body == CellAlign::Right && std::abs(texts[0].right - texts[1].right) <= kAlignSpread)
        cells[0]->align = CellAlign::Right;
}

// A cell its column leaves undecided (a table set row by row, a merged cell) shows
// its own alignment by where its text stands: shifted to the right, or in the middle.
CellAlign AlignWithin(const CellText& text, int left, int right) {
    const int before = text.left - left, after = right - text.right;
    // Cell padding and rounding move left-set text this far.
    constexpr int kPadding = 4;
    if (before <= 2 * kPadding) return CellAlign::Left;
    if (std::abs(before - after) <= std::max(2 * kPadding, (before + after) / 5)) return CellAlign::Centre;
    return before > after ? CellAlign::Right : CellAlign::Left;
}

void OrderItems(std::vector<CRtfXmlText*>& items) {
    std::vector<TextRow> rows = TextRows(items);
    items.clear();
    for (const TextRow& row : rows) items.insert(items.end(), row.items.begin(), row.items.end());
}

}  // namespace

PageTable FillTable(const GridDraft& draft, const std::vector<CRtfXmlText*>& items,
                    const std::vector<RuleLine>& lines, const std::vector<RulePiece>& rules) {
    PageTable table;
    table.columnEdges = draft.columnEdges;
    table.rowEdges = draft.rowEdges;
    table.ruled = draft.ruled;
    const int rows = table.Rows(), columns = table.Columns();
    const RtfRect box = table.Box();
    const RtfRect reach{box.left - kBorderReach, box.top - kBorderReach, box.right + kBorderReach,
                        box.bottom + kBorderReach};

    std::vector<const RuleLine*> near;
    for (const RuleLine& line : lines) {
        RtfRect extent = line.horizontal ? RtfRect{line.from, line.position, line.to, line.position + 1}
                                         : RtfRect{line.position, line.from, line.position + 1, line.to};
        if (!extent.Intersect(reach).Empty()) near.push_back(&line);
    }

    // Merges only across grid lines that rules drew elsewhere: an edge taken from text
    // gaps never opens.
    auto openRight = [&](int r, int c) {
        return draft.columnsFromRules && !Drawn(near, false, table.columnEdges[c + 1], table.rowEdges[r],
                                                table.rowEdges[r + 1]);
    };
    auto openBelow = [&](int r, int c) {
        return draft.rowsFromRules && !Drawn(near, true, table.rowEdges[r + 1], table.columnEdges[c],
                                             table.columnEdges[c + 1]);
    };
    std::vector<int> owner(static_cast<size_t>(rows * columns), -1);
    auto at = [&](int r, int c) -> int& { return owner[static_cast<size_t>(r * columns + c)]; };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (at(r, c) >= 0) continue;
            TableCell cell;
            cell.row = r, cell.column = c;
            while (c + cell.columnSpan < columns && at(r, c + cell.columnSpan) < 0 &&
                   openRight(r, c + cell.columnSpan - 1))
                ++cell.columnSpan;
            auto rowJoins = [&](int below) {
                for (int k = c; k < c + cell.columnSpan; ++k)
                    if (at(below, k) >= 0 || !openBelow(below - 1, k)) return false;
                for (int k = c; k + 1 < c + cell.columnSpan; ++k)
                    if (!openRight(below, k)) return false;
                return true;
            };
            while (r + cell.rowSpan < rows && rowJoins(r + cell.rowSpan)) ++cell.rowSpan;
            for (int rr = r; rr < r + cell.rowSpan; ++rr)
                for (int cc = c; cc < c + cell.columnSpan; ++cc) at(rr, cc) = static_cast<int>(table.cells.size());
            table.cells.push_back(std::move(cell));
        }

    for (CRtfXmlText* item : items) {
        int x = CentreX(item), y = CentreY(item);
        if (!box.Contains(x, y)) continue;
        int c = static_cast<int>(std::upper_bound(table.columnEdges.begin(), table.columnEdges.end(), x) -
                                 table.columnEdges.begin()) - 1;
        int r = static_cast<int>(std::upper_bound(table.rowEdges.begin(), table.rowEdges.end(), y) -
                                 table.rowEdges.begin()) - 1;
        table.cells[static_cast<size_t>(at(r, c))].items.push_back(item);
    }

    std::set<const RuleLine*> used;
    std::vector<std::vector<TableCell*>> columnCells(static_cast<size_t>(columns));
    for (TableCell& cell : table.cells) {
        OrderItems(cell.items);
        int x0 = table.columnEdges[cell.column], x1 = table.columnEdges[cell.column + cell.columnSpan];
        int y0 = table.rowEdges[cell.row], y1 = table.rowEdges[cell.row + cell.rowSpan];
        cell.top = SideBorder(near, true, y0, x0, x1, used);
        cell.bottom = SideBorder(near, true, y1, x0, x1, used);
        cell.left = SideBorder(near, false, x0, y0, y1, used);
        cell.right = SideBorder(near, false, x1, y0, y1, used);
        if (cell.columnSpan == 1 && !cell.items.empty()) columnCells[static_cast<size_t>(cell.column)].push_back(&cell);
    }
    for (const std::vector<TableCell*>& cells : columnCells) AlignColumn(cells);
    for (TableCell& cell : table.cells) {
        // Between the gaps of a table without rules a cell's edges say little.
        if (cell.items.empty() || cell.align != CellAlign::Left || (!table.ruled && cell.columnSpan == 1)) continue;
        const int x0 = table.columnEdges[cell.column], x1 = table.columnEdges[cell.column + cell.columnSpan];
        cell.align = AlignWithin(TextExtent(cell), x0, x1);
    }

    std::set<size_t> taken;
    for (const RuleLine* line : used) {
        // A rule running on past the table still draws its part outside.
        if (line->from >= (line->horizontal ? reach.left : reach.top) &&
            line->to <= (line->horizontal ? reach.right : reach.bottom))
            taken.insert(line->pieces.begin(), line->pieces.end());
    }
    for (size_t i = 0; i < rules.size(); ++i) {
        const RulePiece& ground = rules[i];
        if (!ground.ground || ground.box.Intersect(box).Empty()) continue;
        // A fill reaching past the table is the page's or a frame's background.
        if (ground.box.Union(reach) != reach) continue;
        bool filled = false;
        for (TableCell& cell : table.cells) {
            RtfRect cellBox{table.columnEdges[cell.column], table.rowEdges[cell.row],
                            table.columnEdges[cell.column + cell.columnSpan], table.rowEdges[cell.row + cell.rowSpan]};
            if (ground.box.Intersect(cellBox).Area() * 10 >= cellBox.Area() * 7) {
                cell.ground = ground.colour;
                filled = true;
            }
        }
        if (filled) taken.insert(i);
    }
    table.rulesTaken.assign(taken.begin(), taken.end());
    return table;
}

// Rules around a figure, a frame with a heading, a running head over a rule: grids
// whose cells stay mostly empty, whose columns or rows hold little side by side, or
// whose first column only numbers the lines beside it are no tables.
bool HoldsTextGrid(const PageTable& table) {
    std::set<int> rows, columns;
    std::map<int, int> filledInRow;
    size_t filled = 0;
    bool firstColumnMarks = true;
    for (const TableCell& cell : table.cells) {
        if (cell.items.empty()) continue;
        rows.insert(cell.row), columns.insert(cell.column);
        ++filled;
        ++filledInRow[cell.row];
        if (cell.column == 0)
            firstColumnMarks = firstColumnMarks && std::all_of(cell.items.begin(), cell.items.end(), [](const CRtfXmlText* i) {
                                   return ListMarker(ItemText(i));
                               });
    }
    if (rows.size() < 2 || columns.size() < 2 || firstColumnMarks) return false;
    std::set<int> covered;
    for (const TableCell& cell : table.cells)
        if (!cell.items.empty())
            for (int c = cell.column; c < cell.column + cell.columnSpan; ++c) covered.insert(c);
    if (static_cast<int>(covered.size()) < table.Columns()) return false;
    if (filled * 2 < table.cells.size()) return false;
    // The labels around a figure (a letter here, a letter there) stand in no table.
    const auto letters = std::count_if(table.cells.begin(), table.cells.end(), [](const TableCell& cell) {
        if (cell.items.size() != 1) return false;
        const std::string text = ItemText(cell.items.front());
        return text.size() == 1 && std::isalpha(static_cast<unsigned char>(text[0]));
    });
    if (static_cast<size_t>(letters) * 2 > filled) return false;
    const auto sideBySide = std::count_if(filledInRow.begin(), filledInRow.end(), [](const auto& r) { return r.second >= 2; });
    return sideBySide * 3 >= table.Rows() * 2;
}

}  // namespace tablefind
