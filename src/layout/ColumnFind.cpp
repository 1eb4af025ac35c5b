// The column of a section that a band line belongs to, by its position
// against the columns' boxes, and the font step that fits a line to a column.
#include <algorithm>

#include "layout/CRtfSection.h"
#include "rtf/CRtfXmlText.h"
#include "layout/LengthRatio.h"
#include "layout/Column.h"

namespace {

// A line starting in the gap before the next column belongs to that column when
// it reaches into it by no more than this share of its height.
constexpr double kIntoNextShare = 0.95;
// A line ending this close before the next column still fits the current one, one point smaller.
constexpr int kTightGap = 3;
// A line hanging above the column's bottom by more than this share of its height
// lies beside the column's last line; between the two shares it fits nowhere.
constexpr double kBesideLastShare = 0.75;
constexpr double kAmbiguousShare = 0.34;

bool StrictlyBetween(int value, int low, int high) { return value > low && value < high; }

// The size is unsigned: below one point it would wrap around to a huge one.
uint16_t Lowered(uint16_t size, int points) { return static_cast<uint16_t>(std::max(1, size - points)); }

}  // namespace

void ShrinkFont(CRtfXmlText& item, int points) {
    item.fontSize = Lowered(item.fontSize, points);
    for (const auto& run : item.runs) run->fontSize = item.fontSize;
    if (!item.segments) return;
    for (CRtfXmlText* s : *item.segments) {
        s->fontSize = Lowered(s->fontSize, points);
        for (const auto& run : s->runs) run->fontSize = s->fontSize;
    }
}

Column* CRtfSection::FindColumn(CRtfXmlText* line, const RtfRect& box, bool& newColumn, bool& insertAfter,
                                LastLineJoin& lastLine) {
    const int l = box.left, t = box.top, r = box.right, h = box.Height();
    if ((box.Width() == 0 && h != 0) || columns.empty()) return nullptr;
    for (size_t i = 0; i < columns.size(); ++i) {
        Column* c = columns[i].get();
        Column* next = i + 1 < columns.size() ? columns[i + 1].get() : nullptr;
        const RtfRect& cb = c->columnBox;
        if (l >= cb.right) {
            if (next) {
                const RtfRect& nb = next->columnBox;
                if (nb.left >= l && nb.left < r && nb.right >= r && LengthRatio(r - nb.left, h) <= kIntoNextShare) return next;
                if (r < nb.left && cb.right < l) {
                    newColumn = true;
                    insertAfter = false;
                    return next;
                }
                continue;
            }
            newColumn = insertAfter = true;
            return c;
        }
        if (cb.right < r) {
            if (next && r >= next->columnBox.left) return nullptr;
            if (next && next->columnBox.left - r < kTightGap) ShrinkFont(*line, 1);
            return c;
        }
        if (r <= cb.left) {
            newColumn = true;
            insertAfter = false;
            return c;
        }
        if (t >= cb.bottom) return c;
        double hanging = LengthRatio(cb.bottom - t, h);
        if (hanging <= kBesideLastShare) {
            if (hanging > kAmbiguousShare) return nullptr;
            if (r == cb.right) ShrinkFont(*line, 1);
            return c;
        }
        if (c->lines.empty()) continue;
        const RtfRect& q = c->lines.back()->lineBox;
        if (q.left > r) {
            lastLine = LastLineJoin::InFront;
            return c;
        }
        if (l > q.right) {
            lastLine = LastLineJoin::Behind;
            return c;
        }
        if (StrictlyBetween(q.left, l, r) || StrictlyBetween(q.right, l, r)) return c;
        if (c->lines.back()->HasSegments()) {
            lastLine = LastLineJoin::Behind;
            return c;
        }
    }
    return nullptr;
}
