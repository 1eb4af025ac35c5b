// A column written as paragraphs whose left indent and exact line spacing
// reproduce each line's position inside the column.
#include "rtftext/ColumnWriter.h"

#include <algorithm>
#include <cstdio>

#include "layout/Column.h"
#include "layout/PageLayout.h"
#include "layout/ParagraphGather.h"
#include "rtf/CRtfDocument.h"
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
    for (CRtfXmlText* head : column.lines) head->page = &layout.page;
    const bool keepLines = layout.page.document && layout.page.document->keepLines;
    if (keepLines) {
        for (CRtfXmlText* head : column.lines) out += WriteLineParagraph(head, x, y, layout, &column);
        return out;
    }
    for (const ColumnParagraph& paragraph : GatherParagraphs(column))
        out += paragraph.lines.size() == 1 ? WriteLineParagraph(paragraph.lines.front(), x, y, layout, &column)
                                           : WriteParagraph(paragraph, x, y, layout, column);
    return out;
}

namespace {

// The line's own hyphen gives way to an optional one: the word reads whole wherever
// the new lines break, and a word processor still breaks it there when it must.
std::string HealSplit(std::string text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '}' || text[end - 1] == ' ')) --end;
    if (end == 0 || text[end - 1] != '-') return text;
    text.replace(end - 1, 1, "\\-");
    return text;
}

// A line that re-flows needs no face fitted into its source box: its words take
// back the size the source gave them.
void RestoreSourceSize(CRtfXmlText& head) {
    auto restore = [](CRtfXmlText& item) {
        if (item.sourceSize == 0) return;
        item.fontSize = item.sourceSize;
        for (const auto& run : item.runs) run->fontSize = item.sourceSize;
    };
    restore(head);
    if (head.segments)
        for (CRtfXmlText* segment : *head.segments) restore(*segment);
}

const char* AlignmentWord(ParagraphAlign align) {
    switch (align) {
        case ParagraphAlign::Justified: return "\\qj";
        case ParagraphAlign::Centred: return "\\qc";
        case ParagraphAlign::Right: return "\\qr";
        default: return "\\ql";
    }
}

}  // namespace

std::string WriteParagraph(const ColumnParagraph& paragraph, int& x, int& y, PageLayout& layout, const Column& column) {
    std::string text;
    for (size_t i = 0; i < paragraph.lines.size(); ++i) {
        CRtfXmlText* head = paragraph.lines[i];
        RestoreSourceSize(*head);
        const LineInColumn place{&column, head->lineBox.top};
        std::string line = WriteItem(*head, layout.shapeChain, place);
        if (line.empty()) line = WriteLine(*head, place);
        if (i > 0) {
            const LineEnd end = paragraph.ends[i - 1];
            if (end == LineEnd::HealedSplit) text = HealSplit(std::move(text));
            else if (end == LineEnd::Blank && !line.empty()) text += "{ }";
        }
        text += line;
    }
    // The first line is taken a whole pitch high, as the line spacing sets every line:
    // the space before then keeps the paragraph's last line where the source has it.
    const RtfRect& first = paragraph.lines.front()->lineBox;
    const int before = std::max(first.bottom - paragraph.pitch - y, 0);
    const int left = std::max(paragraph.left - x, 0);
    const int firstIndent = std::max(paragraph.firstLeft - x, 0) - left;
    const int right = std::max(column.columnBox.right - paragraph.right, 0);
    y = std::max(y, paragraph.lines.back()->lineBox.bottom);
    char head[160];
    std::snprintf(head, sizeof head, "\\pard\\li%d\\ri%d\\fi%d\\sb%d\\sl%d\\slmult0%s ", ToTwips(left),
                  ToTwips(right), ToTwips(firstIndent), ToTwips(before), ToTwips(paragraph.pitch),
                  AlignmentWord(paragraph.align));
    return head + text + "\\par";
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
