// Flowing text: the page's lines ordered from top to bottom, cut into bands of
// lines standing side by side, and fed band by band to the sections.
#include <algorithm>
#include <cstdlib>

#include "layout/LengthRatio.h"
#include "layout/PageLayout.h"
#include "layout/LineJoin.h"

namespace {

// A line that overlaps the band's first line by this share of its height or less
// is pushed below it instead of joining the band.
constexpr double kPushDownShare = 0.1;
// Pieces closer than this belong to one line.
constexpr int kTouchingPieces = 10;
// A piece starting higher joins only when it reaches this far into the other.
constexpr double kRaisedPieceReach = 0.6;
// Lines of one band whose horizontal extents overlap by more than this share
// stand above one another, not side by side.
constexpr double kStackedShare = 0.7;

bool Within(int value, int low, int high) { return value >= low && value <= high; }

// Whether line o cannot stand beside line m in a band.
bool Conflicts(const RtfRect& o, const RtfRect& m) {
    const int ohc = (o.left + o.right) / 2, ovc = (o.top + o.bottom) / 2;
    const int mhc = (m.left + m.right) / 2;
    if (Within(ohc, m.left, m.right) || Within(mhc, o.left, o.right)) return true;
    if (ovc < m.top && o.bottom < m.bottom) return true;
    if (m.bottom < ovc && m.top < o.top) return true;
    if (Within(ovc, m.top, m.bottom)) {
        int overlap = std::min(o.right, m.right) - std::max(o.left, m.left);
        if (overlap <= 0) return LengthRatio(m.bottom - o.top, m.Height()) < kPushDownShare;
        return LengthRatio(overlap, o.Width()) > kStackedShare;
    }
    return false;
}

bool JoinsLeftPiece(const RtfRect& l, const RtfRect& h) {
    if (h.top >= l.top) return true;
    return LengthRatio(l.bottom - h.top, h.Height()) >= kRaisedPieceReach &&
           LengthRatio(h.bottom - l.top, h.Height()) >= kRaisedPieceReach;
}

}  // namespace

void PageLayout::TakeOutLine(CRtfXmlText* line) {
    std::erase(sortedLines, line);
    std::erase(flow.lines, line);
}

std::vector<CRtfXmlText*> PageLayout::SortLines() {
    std::vector<CRtfXmlText*> sorted;
    // Increasing tops; of lines with equal tops the later one in the flow comes first.
    sorted.assign(flow.lines.rbegin(), flow.lines.rend());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CRtfXmlText* a, const CRtfXmlText* b) { return a->lineBox.top < b->lineBox.top; });
    return sorted;
}

void PageLayout::CollectBand(size_t& cursor, LineBand& band) {
    band.clear();
    for (; cursor < sortedLines.size(); ++cursor) {
        CRtfXmlText* o = sortedLines[cursor];
        if (o->itemFlags & kItemInBand) continue;
        RtfRect& ob = o->lineBox;
        if (!band.empty()) {
            const RtfRect& pb = band.front()->lineBox;
            if (ob.top >= pb.bottom) break;
            int reach = pb.bottom - ob.top;
            if (LengthRatio(reach, ob.Height()) <= kPushDownShare && reach > 0) {
                int height = ob.Height();
                ob.top = pb.bottom;
                ob.bottom = ob.top + height;
                break;
            }
            if (std::any_of(band.begin(), band.end(),
                            [&](const CRtfXmlText* m) { return Conflicts(ob, m->lineBox); }))
                break;
        }
        band.push_back(o);
        o->itemFlags |= kItemInBand;
    }

    std::stable_sort(band.begin(), band.end(),
                     [](const CRtfXmlText* a, const CRtfXmlText* b) { return a->lineBox.left < b->lineBox.left; });

    if (band.empty()) return;
    CRtfXmlText* current = band.front();
    for (size_t i = 1; i < band.size();) {
        CRtfXmlText* h = band[i];
        if (std::abs(current->lineBox.right - h->lineBox.left) >= kTouchingPieces) {
            current = h;
            ++i;
            continue;
        }
        if (!JoinsLeftPiece(current->lineBox, h->lineBox)) {
            ++i;
            continue;
        }
        // The joined line sat before the cursor: keep the cursor on the same line.
        auto at = std::find(sortedLines.begin(), sortedLines.end(), h);
        if (at != sortedLines.end() && static_cast<size_t>(at - sortedLines.begin()) < cursor) --cursor;
        TakeOutLine(h);
        band.erase(band.begin() + static_cast<std::ptrdiff_t>(i));
        AbsorbLine(*current, h, true);
    }
}

void PageLayout::AnalyseFlow() {
    sortedLines = SortLines();
    size_t cursor = 0;
    size_t nextTable = 0;
    auto addTable = [&] {
        const PageTable& table = *tables[nextTable++];
        sections.push_back(std::make_unique<CRtfSection>(size_t{0}));
        sections.back()->table = &table;
        sections.back()->sectionBox = table.Box();
    };
    LineBand band;
    while (cursor < sortedLines.size()) {
        CollectBand(cursor, band);
        if (band.empty()) break;
        // A table stands between the lines above its top and those below it.
        int bandTop = band.front()->lineBox.top;
        for (const CRtfXmlText* line : band) bandTop = std::min(bandTop, line->lineBox.top);
        while (nextTable < tables.size() && tables[nextTable]->Box().top <= bandTop) addTable();
        CRtfXmlText* next = cursor < sortedLines.size() ? sortedLines[cursor] : nullptr;
        AddBand(band);
        // Integration takes lines out of the order (all of them before the cursor).
        cursor = next ? static_cast<size_t>(std::find(sortedLines.begin(), sortedLines.end(), next) - sortedLines.begin())
                      : sortedLines.size();
    }
    while (nextTable < tables.size()) addTable();
    if (sections.empty()) sections.push_back(std::make_unique<CRtfSection>(size_t{1}));
}

bool PageLayout::AddBand(LineBand& band) {
    if (band.empty()) return false;
    auto startSection = [&] {
        // Lines merged away on trial may leave nothing to start a section with.
        if (band.empty()) return false;
        sections.push_back(std::make_unique<CRtfSection>(band));
        return true;
    };
    if (sections.empty() || sections.back()->table) return startSection();
    CRtfSection* last = sections.back().get();
    const RtfRect& s = last->sectionBox;
    if (last->columns.size() < band.size()) {
        const RtfRect& first = band.front()->lineBox;
        bool overlap = !(s.right < first.left || first.right < s.left);
        bool below = std::none_of(band.begin(), band.end(), [&](const CRtfXmlText* line) {
            return line->lineBox.top < s.bottom || line->lineBox.left > s.right;
        });
        if (below && overlap) return startSection();
    }
    if (!last->Integrate(band, *this)) return startSection();
    return false;
}
