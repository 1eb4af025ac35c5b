// A column of lines: which lines join it, and the box they make.
#include "layout/Column.h"

#include "rtf/CRtfXmlText.h"

Column::Column(CRtfXmlText* first) {
    if (first) {
        lines.push_back(first);
        columnBox = first->lineBox;
    }
}

bool Column::AddLine(CRtfXmlText* head) {
    const RtfRect& b = head->box;
    if (b.bottom - columnBox.bottom >= columnBox.bottom - b.top) return false;
    lines.push_back(head);
    columnBox = columnBox.Union(b);
    return true;
}

void Column::AppendLine(CRtfXmlText* head) {
    lines.push_back(head);
    columnBox = columnBox.Union(head->lineBox);
}
