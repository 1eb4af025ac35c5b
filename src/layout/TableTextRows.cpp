// The text side of the table finder: items gathered into rows, the whitespace channels
// that cross every row of a block, and grid edges taken from both.
#include <algorithm>

#include "layout/TableGeometry.h"

namespace tablefind {

int CentreX(const CRtfXmlText* item) { return (item->box.left + item->box.right) / 2; }
int CentreY(const CRtfXmlText* item) { return (item->box.top + item->box.bottom) / 2; }

std::vector<TextRow> TextRows(std::vector<CRtfXmlText*> items) {
    std::sort(items.begin(), items.end(), [](const CRtfXmlText* a, const CRtfXmlText* b) {
        return a->box.top != b->box.top ? a->box.top < b->box.top : a->box.left < b->box.left;
    });
    std::vector<TextRow> rows;
    for (CRtfXmlText* item : items) {
        const RtfRect& b = item->box;
        if (!rows.empty()) {
            TextRow& row = rows.back();
            int overlap = std::min(row.bottom, b.bottom) - std::max(row.top, b.top);
            int smaller = std::max(1, std::min(row.bottom - row.top, b.Height()));
            // Half the smaller height keeps a superscript in its row but not the next line.
            if (overlap * 2 >= smaller) {
                row.items.push_back(item);
                row.top = std::min(row.top, b.top);
                row.bottom = std::max(row.bottom, b.bottom);
                continue;
            }
        }
        rows.push_back({b.top, b.bottom, {item}});
    }
    for (TextRow& row : rows)
        std::sort(row.items.begin(), row.items.end(),
                  [](const CRtfXmlText* a, const CRtfXmlText* b) { return a->box.left < b->box.left; });
    return rows;
}

std::vector<TextRow> RowsInBox(const std::vector<TextRow>& rows, const RtfRect& box) {
    // Rows come by their tops: those starting far above the box are passed over at once,
    // since no row of text is this tall.
    constexpr int kTallestRow = 300;
    auto first = std::lower_bound(rows.begin(), rows.end(), box.top - kTallestRow,
                                  [](const TextRow& row, int top) { return row.top < top; });
    std::vector<TextRow> inside;
    for (auto it = first; it != rows.end() && it->top < box.bottom; ++it) {
        const TextRow& row = *it;
        if (row.bottom <= box.top) continue;
        TextRow kept;
        for (CRtfXmlText* item : row.items) {
            if (!box.Contains(CentreX(item), CentreY(item))) continue;
            if (kept.items.empty()) kept.top = item->box.top, kept.bottom = item->box.bottom;
            kept.top = std::min(kept.top, item->box.top);
            kept.bottom = std::max(kept.bottom, item->box.bottom);
            kept.items.push_back(item);
        }
        if (!kept.items.empty()) inside.push_back(std::move(kept));
    }
    return inside;
}

std::vector<Channel> GapsBetween(std::vector<std::pair<int, int>> intervals, int minGap) {
    std::sort(intervals.begin(), intervals.end());
    std::vector<Channel> gaps;
    if (intervals.empty()) return gaps;
    int reach = intervals.front().second;
    for (const auto& [left, right] : intervals) {
        if (left - reach >= minGap) gaps.push_back({reach, left});
        reach = std::max(reach, right);
    }
    return gaps;
}

std::vector<Channel> RowChannels(const std::vector<TextRow>& rows, int minGap) {
    std::vector<std::pair<int, int>> intervals;
    for (const TextRow& row : rows)
        for (const CRtfXmlText* item : row.items) intervals.emplace_back(item->box.left, item->box.right);
    return GapsBetween(std::move(intervals), minGap);
}

std::vector<int> EdgesFromChannels(const std::vector<TextRow>& rows, const std::vector<Channel>& channels) {
    int left = rows.front().items.front()->box.left, right = left;
    for (const TextRow& row : rows)
        for (const CRtfXmlText* item : row.items) {
            left = std::min(left, item->box.left);
            right = std::max(right, item->box.right);
        }
    std::vector<int> edges{left};
    for (const Channel& c : channels) edges.push_back((c.left + c.right) / 2);
    edges.push_back(right);
    // A heading set flush left over figures set flush right leaves a gap through every
    // row between the two: columns that never hold text in the same row are one.
    auto columnOf = [&](const CRtfXmlText* item) {
        return std::upper_bound(edges.begin() + 1, edges.end() - 1, CentreX(item)) - edges.begin() - 1;
    };
    for (size_t edge = 1; edge + 1 < edges.size();) {
        const auto left = static_cast<std::ptrdiff_t>(edge) - 1, right = static_cast<std::ptrdiff_t>(edge);
        const bool together = std::any_of(rows.begin(), rows.end(), [&](const TextRow& row) {
            bool inLeft = false, inRight = false;
            for (const CRtfXmlText* item : row.items) {
                const auto column = columnOf(item);
                inLeft = inLeft || column == left;
                inRight = inRight || column == right;
            }
            return inLeft && inRight;
        });
        if (together) ++edge;
        else edges.erase(edges.begin() + static_cast<std::ptrdiff_t>(edge));
    }
    return edges;
}

std::vector<int> EdgesFromRows(const std::vector<TextRow>& rows, const std::vector<int>& ruleRows) {
    std::vector<int> edges{rows.front().top};
    for (size_t i = 1; i < rows.size(); ++i) {
        int above = rows[i - 1].bottom, below = rows[i].top;
        int edge = (above + below) / 2;
        for (int rule : ruleRows)
            if (rule >= above - kTouch && rule <= below + kTouch) edge = rule;
        edges.push_back(std::max(edge, edges.back() + 1));
    }
    edges.push_back(std::max(rows.back().bottom, edges.back() + 1));
    return edges;
}

bool ColumnsHoldProse(const std::vector<TextRow>& rows, const std::vector<int>& columnEdges) {
    // Lines of a text column fill a measure of some 120 pt and more; cells of a table
    // rarely fill theirs row after row.
    constexpr int kProseMeasure = 180;
    for (size_t c = 0; c + 1 < columnEdges.size(); ++c) {
        std::vector<int> widths;
        for (const TextRow& row : rows) {
            int left = 0, right = 0;
            bool any = false;
            for (const CRtfXmlText* item : row.items) {
                int x = CentreX(item);
                if (x < columnEdges[c] || x >= columnEdges[c + 1]) continue;
                left = any ? std::min(left, item->box.left) : item->box.left;
                right = any ? std::max(right, item->box.right) : item->box.right;
                any = true;
            }
            if (any) widths.push_back(right - left);
        }
        if (widths.size() < 2) continue;
        int widest = *std::max_element(widths.begin(), widths.end());
        if (widest < kProseMeasure) continue;
        long full = std::count_if(widths.begin(), widths.end(), [&](int w) { return w * 5 >= widest * 4; });
        if (full * 5 >= static_cast<long>(widths.size()) * 3) return true;
    }
    return false;
}

}  // namespace tablefind
