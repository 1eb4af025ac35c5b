// A band joining the columns of a section: each band line finds its column,
// new columns open beside existing ones, and a band that would put two
// overlapping lines into one column is refused (its trial merges undone).
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "layout/CRtfSection.h"
#include "rtf/CRtfXmlText.h"
#include "layout/LengthRatio.h"
#include "layout/PageLayout.h"
#include "layout/LineJoin.h"

namespace {

// A band line that lies level with another band line of the same column by
// more than this share of its height merges into it; up to the lower share it
// simply follows it in the column; in between the band is refused.
constexpr double kBesideShare = 0.2;
constexpr double kLevelShare = 0.8;

size_t IndexIn(const std::vector<CRtfXmlText*>& list, const CRtfXmlText* line) {
    return static_cast<size_t>(std::find(list.begin(), list.end(), line) - list.begin());
}

void InsertAt(std::vector<CRtfXmlText*>& list, size_t index, CRtfXmlText* line) {
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(index, list.size())), line);
}

// What a merge of one band line into another changed, to restore it.
struct MergeRecord {
    CRtfXmlText* merged;
    CRtfXmlText* into;
    RtfRect intoBox;
    std::optional<std::vector<CRtfXmlText*>> intoSegments, mergedSegments;
    size_t inBand, inSorted, inLines;
};

class MergeLog {
public:
    MergeLog(LineBand& band, PageLayout& layout) : band_(band), layout_(layout) {}

    void Merge(CRtfXmlText* line, CRtfXmlText* into) {
        records_.push_back({line, into, into->lineBox, into->segments, line->segments, IndexIn(band_, line),
                            IndexIn(layout_.sortedLines, line), IndexIn(layout_.flow.lines, line)});
        std::erase(band_, line);
        layout_.TakeOutLine(line);
        AbsorbLine(*into, line, false);
    }

    void Undo() {
        for (auto r = records_.rbegin(); r != records_.rend(); ++r) {
            r->into->lineBox = r->intoBox;
            r->into->segments = r->intoSegments;
            r->merged->segments = r->mergedSegments;
            InsertAt(band_, r->inBand, r->merged);
            InsertAt(layout_.sortedLines, r->inSorted, r->merged);
            InsertAt(layout_.flow.lines, r->inLines, r->merged);
        }
        records_.clear();
    }

private:
    LineBand& band_;
    PageLayout& layout_;
    std::vector<MergeRecord> records_;
};

struct NewColumn {
    CRtfXmlText* line;
    Column* reference;
    bool after;
};

void TakeOutOfColumn(Column& column, CRtfXmlText* line) { std::erase(column.lines, line); }

}  // namespace

bool CRtfSection::Integrate(LineBand& band, PageLayout& layout) {
    MergeLog log(band, layout);
    std::vector<NewColumn> remembered;
    Column* previous = nullptr;
    auto inBand = [&](const CRtfXmlText* line) { return std::find(band.begin(), band.end(), line) != band.end(); };

    // The column each band line goes to; lines that open a new column or join another line have none.
    std::unordered_map<const CRtfXmlText*, Column*> columnOf;
    const LineBand order = band;
    for (CRtfXmlText* a : order) {
        if (!inBand(a)) continue;
        bool newColumn = false, insertAfter = false;
        LastLineJoin lastLine = LastLineJoin::None;
        Column* g = FindColumn(a, a->lineBox, newColumn, insertAfter, lastLine);
        // A join needs a last line to join; without one the line is placed like any other.
        if (lastLine != LastLineJoin::None && g && !g->lines.empty()) {
            CRtfXmlText* last = g->lines.back();
            std::erase(band, a);
            if (lastLine == LastLineJoin::InFront) {
                // The column's last line lies right of the band line: the band line leads.
                layout.TakeOutLine(last);
                AbsorbLine(*a, last, false);
                TakeOutOfColumn(*g, last);
                g->AppendLine(a);
                sectionBox = sectionBox.Union(a->lineBox);
            } else {
                layout.TakeOutLine(a);
                AbsorbLine(*last, a, false);
                TakeOutOfColumn(*g, last);
                g->AppendLine(last);
                sectionBox = sectionBox.Union(last->lineBox);
            }
            continue;
        }
        if (newColumn) {
            remembered.push_back({a, g, insertAfter});
            previous = g;
            continue;
        }
        if (!g) {
            log.Undo();
            return false;
        }
        if (g != previous) {
            columnOf[a] = g;
            previous = g;
            continue;
        }
        bool placed = false;
        for (CRtfXmlText* x : LineBand(band)) {
            if (x == a || columnOf[x] != g) continue;
            const RtfRect& ab = a->lineBox;
            const RtfRect& xb = x->lineBox;
            int overlap = std::min(ab.bottom, xb.bottom) - std::max(ab.top, xb.top);
            if (overlap <= 0) continue;
            double v = LengthRatio(overlap, ab.Height());
            if (v <= kBesideShare) {
                columnOf[a] = g;
                placed = true;
                break;
            }
            if (v <= kLevelShare) {
                log.Undo();
                return false;
            }
            if (ab.right > xb.right) {
                log.Merge(a, x);
                placed = true;
                break;
            }
        }
        if (!placed) columnOf[a] = g;
    }

    for (const NewColumn& c : remembered) {
        if (c.after || !inBand(c.line)) continue;
        auto at = std::find_if(columns.begin(), columns.end(), [&](const auto& p) { return p.get() == c.reference; });
        auto column = std::make_unique<Column>(c.line);
        sectionBox = sectionBox.Union(column->columnBox);
        columns.insert(at, std::move(column));
        std::erase(band, c.line);
    }
    for (auto c = remembered.rbegin(); c != remembered.rend(); ++c) {
        if (!c->after || !inBand(c->line)) continue;
        auto at = std::find_if(columns.begin(), columns.end(), [&](const auto& p) { return p.get() == c->reference; });
        if (at != columns.end()) ++at;
        auto column = std::make_unique<Column>(c->line);
        sectionBox = sectionBox.Union(column->columnBox);
        columns.insert(at, std::move(column));
        std::erase(band, c->line);
    }
    for (CRtfXmlText* line : band) {
        Column* column = columnOf[line];
        if (!column) continue;
        column->AppendLine(line);
        sectionBox = sectionBox.Union(line->lineBox);
    }
    return true;
}
