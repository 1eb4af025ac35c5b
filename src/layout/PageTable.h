#pragma once
// A table found on a page: its grid, its cells with the items they hold, and the
// borders and grounds the page drew for it. The items stay the page's; a table
// only refers to them.
#include <cstddef>
#include <optional>
#include <vector>

#include "rtf/CRtfXmlText.h"
#include "rtf/RtfRect.h"

// One side of a cell as the page drew it.
struct CellBorder {
    bool drawn = false;
    int widthTwips = 0;
    int colour = 0;  // red + 256 green + 65536 blue
};

enum class CellAlign { Left, Centre, Right };

struct TableCell {
    // The grid cell at the top left of the cell, and how many it covers.
    int row = 0, column = 0;
    int rowSpan = 1, columnSpan = 1;
    // The items inside, top to bottom and, within one text row, left to right.
    std::vector<CRtfXmlText*> items;
    CellBorder top, left, bottom, right;
    std::optional<int> ground;  // the cell's fill colour, when the page filled it
    CellAlign align = CellAlign::Left;
};

struct PageTable {
    // Grid lines in XML units: columns + 1 from left to right, rows + 1 from top to bottom.
    std::vector<int> columnEdges;
    std::vector<int> rowEdges;
    // Row by row, left to right, by the grid cell at each cell's top left. Every grid
    // cell belongs to exactly one cell.
    std::vector<TableCell> cells;
    // The rule pieces (indices into those given to the finder) that became borders or
    // grounds: they are not drawn again as shapes.
    std::vector<size_t> rulesTaken;
    // Found from drawn rules; false when found from aligned text alone.
    bool ruled = false;

    int Rows() const { return rowEdges.empty() ? 0 : static_cast<int>(rowEdges.size()) - 1; }
    int Columns() const { return columnEdges.empty() ? 0 : static_cast<int>(columnEdges.size()) - 1; }
    RtfRect Box() const {
        if (rowEdges.empty() || columnEdges.empty()) return {};
        return {columnEdges.front(), rowEdges.front(), columnEdges.back(), rowEdges.back()};
    }
};
