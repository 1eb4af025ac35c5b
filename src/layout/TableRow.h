#pragma once
// A line whose pieces stand stacked above one another beside a single piece,
// laid out as a table row of two cells: the key cell (the line's lowest piece)
// and the stacked cell (one paragraph per stack).
#include <cstdint>
#include <memory>
#include <vector>

#include "layout/Column.h"
#include "rtf/RtfRect.h"

class CRtfXmlText;

class TableRow {
public:
    // top: where the row's first paragraph starts, the line's top below any fillers.
    explicit TableRow(CRtfXmlText& head, int top = 0);
    virtual ~TableRow() = default;

    // A row is written only for stacks in more than one row, with the key cell
    // beside them: a key lying inside their span would be lost from the row.
    bool Writable() const;

    std::vector<CRtfXmlText*> items;  // the head, then its segments in join order
    CRtfXmlText* key = nullptr;
    std::vector<std::unique_ptr<Column>> stacks;
    RtfRect cellBox;
    int32_t rowTop = 0;
};

// The piece of the line with the smallest height (the later one on equal heights).
CRtfXmlText* KeyPiece(const CRtfXmlText& head);
// Pieces stacked above one another beside a single piece, as in a table row.
bool IsTableRow(const CRtfXmlText& item);
