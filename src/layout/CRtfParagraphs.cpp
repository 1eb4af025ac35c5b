#include "layout/CRtfParagraphs.h"

#include <cstdio>

#include "layout/CRtfXmlText.h"
#include "rtf/RtfUnits.h"

namespace {

std::string ExactParagraph(int indent, int spacing, const std::string& text) {
    char head[96];
    std::snprintf(head, sizeof head, "\\pard\\li%d\\ri0\\sl-%d\\slmult0 ", ToTwips(indent), spacing);
    return head + text + "\\par";
}

}  // namespace

CRtfParagraphs::CRtfParagraphs(CRtfXmlText* first) {
    if (first) {
        lines.push_back(first);
        columnBox = first->lineBox;
    }
}

bool CRtfParagraphs::AddLine(CRtfXmlText* head) {
    const RtfRect& b = head->box;
    if (b.bottom - columnBox.bottom >= columnBox.bottom - b.top) return false;
    lines.push_back(head);
    columnBox = columnBox.Union(b);
    return true;
}

void CRtfParagraphs::AppendLine(CRtfXmlText* head) {
    lines.push_back(head);
    columnBox = columnBox.Union(head->lineBox);
}

std::string CRtfParagraphs::Write(CRtfPage* page) {
    int x = columnBox.left, y = columnBox.top;
    std::string out;
    for (CRtfXmlText* head : lines) {
        head->page = page;
        out += WriteLineParagraph(head, x, y);
    }
    return out;
}

std::string CRtfParagraphs::WriteLineParagraph(CRtfXmlText* head, int& x, int& y) {
    const RtfRect& lb = head->lineBox;
    std::string out;
    int gap = lb.top - y;
    int fillers = 0;
    if (gap > kFillerStep) {
        fillers = gap / kFillerStep;
        int indent = lb.left < x ? 1 : lb.left - x;
        for (int i = 0; i < fillers; ++i) out += ExactParagraph(indent, ToTwips(kFillerStep), "\\fs18\\cf0");
    }
    int lineTop = y + kFillerStep * fillers;
    int height = lb.bottom - lineTop;
    head->lineTop = lineTop;
    y = lb.bottom;
    int left = lb.left - x < 0 ? 0 : lb.left - x;

    std::string text = head->WriteItem();
    if (text.empty()) return out;
    if (head->itemFlags & kItemTable) {
        char row[160];
        std::snprintf(row, sizeof row,
                      "{\\trowd\\trleft%u\\trkeep\\trftsWidth1\\trpaddl0\\trpaddr0\\trpaddfl3\\trpaddfr3 ",
                      static_cast<unsigned>(ToTwips(left)));
        return out + row + text + "\\row}";
    }
    return out + ExactParagraph(left, ToTwips(height), text);
}

std::string CRtfParagraphs::RunsText() const {
    std::string out;
    for (const CRtfXmlText* head : lines) out += head->runs.WriteRuns(0);
    return out;
}
