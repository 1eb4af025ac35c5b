#pragma once
// One column of lines, written as paragraphs whose left indent and exact line
// spacing reproduce each line's position inside the column.
#include <string>
#include <vector>

#include "rtf/RtfRect.h"

class PageLayout;
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
    std::string Write(PageLayout& layout);
    // Cursor (x, y) in XML units, moved to the line's bottom.
    std::string WriteLineParagraph(CRtfXmlText* head, int& x, int& y, PageLayout& layout);
    std::string RunsText() const;

    std::vector<CRtfXmlText*> lines;  // line heads, owned by the page
    RtfRect columnBox;
};
