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

class CRtfSection {
public:
    // One column per band line, each starting with that line.
    explicit CRtfSection(const LineBand& band);
    // n empty columns.
    explicit CRtfSection(size_t columnCount);
    virtual ~CRtfSection() = default;

    // 1 when the band does not fit the section (merges made on trial undone), 0 when its lines were placed.
    int Integrate(LineBand& band, PageLayout& layout);
    // The column a line belongs to, or a column to insert beside (newColumn), or none.
    // relation -1/+1: the line joins the column's last line, which lies right/left of it.
    Column* FindColumn(CRtfXmlText* line, const RtfRect& lineBox, bool& newColumn, bool& insertAfter, int& relation);

    // The columns abut inside the section box; each gets the section's height.
    void SetColumnGeometry();

    RtfRect sectionBox;
    std::vector<std::unique_ptr<Column>> columns;  // left to right
};
