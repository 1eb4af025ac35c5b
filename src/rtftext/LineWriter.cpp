// One line of text: its segments left to right, superscripts and subscripts,
// gaps as blanks, and hyperlink fields.
#include <cctype>
#include <cstdlib>

#include "layout/Column.h"
#include "layout/TableRow.h"
#include "layout/CRtfPageFlow.h"
#include "rtf/CRtfPage.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfFontTable.h"
#include "rtf/CRtfXmlText.h"
#include "extract/LinkMarkers.h"
#include "rtftext/RunWriter.h"
#include "rtftext/LineWriter.h"
#include "rtftext/FrameWriter.h"
#include "rtftext/TextShapeWriter.h"
#include "rtftext/Hyperlinks.h"
#include "rtftext/TableRowWriter.h"
#include "rtf/TextRun.h"

namespace {

// Segments by increasing left edge (earlier ones first on equal edges), with
// the head inserted before the first segment that starts right of it.
std::vector<CRtfXmlText*> LineOrder(CRtfXmlText& head) {
    std::vector<CRtfXmlText*> order;
    std::vector<CRtfXmlText*>& segments = *head.segments;
    // A line written a second time (its text shape gave nothing) is ordered afresh.
    for (CRtfXmlText* s : segments) s->itemFlags &= ~kItemOrdered;
    for (size_t taken = 0; taken < segments.size(); ++taken) {
        CRtfXmlText* best = nullptr;
        for (CRtfXmlText* s : segments)
            if (!(s->itemFlags & kItemOrdered) && (!best || s->box.left < best->box.left)) best = s;
        if (!best) break;
        best->itemFlags |= kItemOrdered;
        order.push_back(best);
    }
    size_t at = 0;
    while (at < order.size() && order[at]->box.left <= head.box.left) ++at;
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), &head);
    return order;
}

// A line that looks like a table row becomes one when its pieces stack in
// more than one row beside its key piece.
bool WriteTableRow(CRtfXmlText& head, const LineInColumn& place, std::string& rtf) {
    if (!IsTableRow(head)) return false;
    TableRow row(head, place.top);
    if (!row.Writable()) return false;
    rtf = WriteTableRow(row, place.column ? place.column->columnBox.left : 0);
    return true;
}

}  // namespace

std::string WriteItem(CRtfXmlText& item, TextShapeChain& chain, const LineInColumn& place) {
    if (!item.page) return {};
    const bool readingOrientation =
        item.rotation == item.page->rotation || CRtfPageFlow::InReadingOrientation(item.page->rotation, item.rotation);
    // Vertical writing keeps its look only where the page keeps its geometry; elsewhere
    // its words are ordinary text (a line of the flow, or a paragraph of the page writer).
    if (item.verticalWriting && !readingOrientation) {
        if (item.page->document && item.page->document->layoutMode == kLayoutAsIs) return WriteVerticalFrame(item);
        return {};
    }
    // A line of the page's flow is read in the page's orientation, whatever its own
    // rotation: as a shape it would find no rectangle on a turned page and be lost.
    if (readingOrientation) return WriteLine(item, place);
    return WriteTextShape(item, chain);
}

std::string WriteLine(CRtfXmlText& item, const LineInColumn& place) {
    std::string line;
    if (!item.segments) {
        line = WriteRuns(item.runs, 0);
    } else if (std::string table; WriteTableRow(item, place, table)) {
        item.itemFlags |= kItemTable;
        line = table;
    } else {
        std::vector<CRtfXmlText*> order = LineOrder(item);
        for (size_t i = 0; i < order.size(); ++i) {
            CRtfXmlText* c = order[i];
            if (i == 0) {
                line += WriteRuns(c->runs, 0);
                continue;
            }
            CRtfXmlText* p = order[i - 1];
            switch (ScriptKind(*c, *p)) {
                case Script::Super: {
                    auto raise = static_cast<int8_t>(static_cast<uint8_t>((p->box.bottom - c->box.bottom - 1) & 0xFF));
                    line += "{\\super " + WriteRuns(c->runs, raise) + "}";
                    c->itemFlags |= kItemScript;
                    break;
                }
                case Script::Sub:
                    line += "{\\sub " + WriteRuns(c->runs, 0) + "}";
                    c->itemFlags |= kItemScript;
                    break;
                default:
                    // After a superscript or subscript the gap is no measure of blanks, but
                    // a piece standing right of it is still another word.
                    if (p->itemFlags & kItemScript) {
                        if (c->box.left > p->box.right) line += "{ }";
                    } else if (int n = GapFiller(*c, *p); n > 0) {
                        line += "{" + std::string(static_cast<size_t>(n), ' ') + "}";
                    } else if (StandsApartFrom(*c, *p)) {
                        // Pieces stacked in one line (lines of a cell) are still separate words.
                        line += "{ }";
                    }
                    line += WriteRuns(c->runs, 0);
                    break;
            }
        }
    }
    return ApplyLinks(item, line);
}

Script ScriptKind(const CRtfXmlText& item, const CRtfXmlText& previous) {
    std::string visible = RunText(item.runs);
    size_t m = visible.find(kLinkMiddle);
    if (m != std::string::npos) {
        size_t e = visible.find(kLinkEnd, m);
        visible = visible.substr(m + kLinkMiddle.size(), e == std::string::npos ? std::string::npos : e - m - kLinkMiddle.size());
    }
    if (visible.size() > 3) return Script::None;
    const RtfRect& c = item.box;
    const RtfRect& p = previous.box;
    if (c.left - p.right > 2) return Script::None;
    int third = p.Height() / 3;
    int mid = (p.top + p.bottom) / 2;
    int dBottom = c.bottom - p.bottom;
    int dTop = p.top - c.top;
    if (dBottom < 0 && dTop >= 0 && dTop <= third && std::abs(mid - c.bottom) <= third) return Script::Super;
    if (dBottom >= 0 && dTop < 0 && dBottom <= third && std::abs(c.top - mid) <= third && !(previous.itemFlags & kItemScript))
        return Script::Sub;
    return Script::None;
}

int GapFiller(const CRtfXmlText& item, const CRtfXmlText& previous) {
    if (item.box.left <= previous.box.right) return 0;
    // Half font sizes, rounded up, with the gap taken in points (1.5 units each) like
    // the size: counted in units it gave two or three blanks for every word gap, and
    // the lines grew wider than their columns. Sizes that are multiples of 256 use
    // the whole size.
    int s = previous.fontSize & 0xFF;
    if (s == 0) s = previous.fontSize;
    if (s == 0) return 0;
    const int gap = item.box.left - previous.box.right;
    // A fixed-pitch face draws its blank as wide as its letters (0.6 em): counted in
    // half ems, every blank of a typed page became two.
    if (InFixedPitch(previous)) return 1 + (20 * gap - 5) / (18 * s);
    return (3 * s + 4 * gap - 1) / (3 * s);
}

bool InFixedPitch(const CRtfXmlText& item) {
    if (!item.fonts || item.runs.empty()) return false;
    const FontEntry* entry = item.fonts->FindEntry(item.runs.back()->fontIndex);
    if (!entry) return false;
    std::string name = entry->name;
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const char* word : {"courier", "mono", "consolas", "typewriter", "fixed"})
        if (name.find(word) != std::string::npos) return true;
    return false;
}
