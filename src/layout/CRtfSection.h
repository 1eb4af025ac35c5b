#pragma once
// A section of a flowing page: lines that stand side by side grouped into
// newspaper columns.
#include <memory>
#include <vector>

#include "layout/Column.h"
#include "rtf/RtfRect.h"

class CRtfPage;
class PageLayout;
class CRtfXmlText;

// Lines that stand side by side at one height, ordered by their left edges.
using LineBand = std::vector<CRtfXmlText*>;

// A band line that takes a column's last line into its own: none, in front of it (the
// last line lies right of the band line), or behind it.
enum class LastLineJoin { None, InFront, Behind };

struct PageTable;

class CRtfSection {
public:
    // One column per band line, each starting with that line.
    explicit CRtfSection(const LineBand& band);
    // n empty columns.
    explicit CRtfSection(size_t columnCount);
    virtual ~CRtfSection() = default;

    // True when the band's lines were placed; false when the band does not fit the
    // section (the merges made on trial are undone).
    bool Integrate(LineBand& band, PageLayout& layout);
    // The column a line belongs to, or a column to insert beside (newColumn), or none.
    // lastLine: whether the line joins the column's last line instead, and on which side.
    Column* FindColumn(CRtfXmlText* line, const RtfRect& lineBox, bool& newColumn, bool& insertAfter,
                       LastLineJoin& lastLine);

    // The columns abut inside the section box; each gets the section's height.
    void SetColumnGeometry();

    RtfRect sectionBox;
    std::vector<std::unique_ptr<Column>> columns;  // left to right
    // A section that is a table of the page (the layout owns it) has no columns.
    const PageTable* table = nullptr;
};
