// A column written as paragraphs whose left indent and exact line spacing
// reproduce each line's position inside the column.
#include "rtftext/ColumnWriter.h"

#include <algorithm>
#include <cstdio>

#include "layout/Column.h"
#include "layout/PageLayout.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfUnits.h"
#include "rtftext/LineWriter.h"
#include "rtftext/RunWriter.h"

namespace {

std::string ExactParagraph(int indent, int spacing, const std::string& text) {
    char head[96];
    std::snprintf(head, sizeof head, "\\pard\\li%d\\ri0\\sl-%d\\slmult0 ", ToTwips(indent), spacing);
    return head + text + "\\par";
}

}  // namespace

std::string WriteColumn(Column& column, PageLayout& layout) {
    int x = column.columnBox.left, y = column.columnBox.top;
    std::string out;
    for (CRtfXmlText* head : column.lines) {
        head->page = &layout.page;
        out += WriteLineParagraph(head, x, y, layout, &column);
    }
    return out;
}

std::string WriteLineParagraph(CRtfXmlText* head, int& x, int& y, PageLayout& layout, const Column* column) {
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
    // A line lying above the cursor (sections stacked over a tall line, a column
    // starting below its first line) keeps its own height: the spacing stays
    // exact, never negative, and the cursor never moves up.
    int height = lb.bottom - lineTop;
    if (height < 1) height = std::max(lb.Height(), 1);
    y = std::max(y, lb.bottom);
    int left = lb.left - x < 0 ? 0 : lb.left - x;

    const LineInColumn place{column, lineTop};
    std::string text = WriteItem(*head, layout.shapeChain, place);
    // Lines turned against the page have no text shape yet: their words are kept
    // as a line of their own rather than lost.
    if (text.empty()) text = WriteLine(*head, place);
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

// Pieces written into one paragraph need a blank where they stand apart, side
// by side or one above the other; touching pieces are parts of one word.
std::string RunsText(const Column& column) {
    std::string out;
    const CRtfXmlText* previous = nullptr;
    for (const CRtfXmlText* head : column.lines) {
        if (previous && StandsApartFrom(*head, *previous)) out += "{ }";
        out += WriteRuns(head->runs, 0);
        previous = head;
    }
    return out;
}
