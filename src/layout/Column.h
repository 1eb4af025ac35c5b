#pragma once
// One column of lines of a flowing section, top to bottom.
#include <vector>

#include "rtf/RtfRect.h"

class CRtfXmlText;

// Height of one filler paragraph, in XML units.
constexpr int kFillerStep = 16;

// Lowers the font size of the item, its segments and all their runs.
void ShrinkFont(CRtfXmlText& item, int points);

class Column {
public:
    explicit Column(CRtfXmlText* first = nullptr);
    virtual ~Column() = default;

    // Adds the line unless its vertical middle lies at or below the column's bottom.
    bool AddLine(CRtfXmlText* head);
    void AppendLine(CRtfXmlText* head);

    std::vector<CRtfXmlText*> lines;  // line heads, owned by the page
    RtfRect columnBox;
};
