// Grids of ruled tables: grid lines from the rules of a cluster, and from the text where
// the rules leave a direction open (only horizontal or only vertical rules, a header rule).
#include <algorithm>

#include "layout/TableGeometry.h"

namespace tablefind {
namespace {

// Inside a drawn frame a narrower gap between text separates columns than in open text.
constexpr int kFramedColumnGap = 6;

std::vector<int> Positions(const std::vector<const RuleLine*>& lines) {
    std::vector<int> positions;
    for (const RuleLine* line : lines) positions.push_back(line->position);
    std::sort(positions.begin(), positions.end());
    std::vector<int> distinct;
    for (int p : positions)
        if (distinct.empty() || p - distinct.back() > kTouch) distinct.push_back(p);
    return distinct;
}

std::pair<int, int> Span(const std::vector<const RuleLine*>& lines) {
    std::pair<int, int> span{lines.front()->from, lines.front()->to};
    for (const RuleLine* line : lines) span = {std::min(span.first, line->from), std::max(span.second, line->to)};
    return span;
}

// The rules' positions, and the ends of the crossing rules where these reach past the
// outermost ones: a frame left open still closes the table there.
std::vector<int> RuleEdges(std::vector<int> edges, const std::vector<const RuleLine*>& crossing) {
    if (crossing.empty()) return edges;
    auto [from, to] = Span(crossing);
    if (edges.empty() || from < edges.front() - kTouch) edges.insert(edges.begin(), from);
    if (to > edges.back() + kTouch) edges.push_back(to);
    return edges;
}

void Widen(std::vector<int>& edges, int first, int last) {
    edges.front() = std::min(edges.front(), first);
    edges.back() = std::max(edges.back(), last);
}

// One rule under a heading row: the rows below belong while they keep the heading's columns.
std::optional<GridDraft> HeaderRuleGrid(const RuleLine& rule, const std::vector<TextRow>& rows) {
    // Rows are read one at a time from just above the rule, and only as long as they
    // follow closely, so that the many rules under single lines of text cost little.
    constexpr int kHeadingReach = 100;
    const RtfRect window{rule.from - kTouch, rule.position - kHeadingReach, rule.to + kTouch, rule.position + 1};
    auto it = std::lower_bound(rows.begin(), rows.end(), rule.position - kHeadingReach,
                               [](const TextRow& row, int top) { return row.top < top; });
    std::vector<TextRow> block;
    for (; it != rows.end() && it->top < rule.position - kSnap; ++it) {
        std::vector<TextRow> inside = RowsInBox({*it}, {window.left, it->top, window.right, it->bottom + 1});
        if (!inside.empty()) block = std::move(inside);
    }
    if (block.empty() || rule.position - block.front().bottom > block.front().bottom - block.front().top)
        return std::nullopt;

    std::vector<Channel> channels;
    for (; it != rows.end(); ++it) {
        const TextRow& above = block.back();
        // Cells are padded: rows stand up to twice their height apart. Body text
        // starting further below a rule under a running head is no table's row.
        int allowed = (above.bottom - above.top) * 2;
        if (it->top - above.bottom > allowed) break;
        std::vector<TextRow> inside = RowsInBox({*it}, {window.left, it->top, window.right, it->bottom + 1});
        if (inside.empty()) continue;
        if (inside.front().items.size() < 2) break;
        block.push_back(std::move(inside.front()));
        std::vector<Channel> trial = RowChannels(block, kFramedColumnGap);
        if (trial.empty() || (block.size() > 2 && trial.size() < channels.size())) {
            block.pop_back();
            break;
        }
        channels = std::move(trial);
    }
    if (block.size() < 3) return std::nullopt;
    GridDraft draft;
    draft.ruled = true;
    draft.columnEdges = EdgesFromChannels(block, channels);
    Widen(draft.columnEdges, rule.from, rule.to);
    draft.rowEdges = EdgesFromRows(block, {rule.position});
    if (ColumnsHoldProse(block, draft.columnEdges)) return std::nullopt;
    return draft;
}

size_t MostRowsInABand(const std::vector<TextRow>& rows, const std::vector<int>& edges) {
    size_t most = 0;
    for (size_t b = 0; b + 1 < edges.size(); ++b)
        most = std::max(most, static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [&](const TextRow& r) {
                            int middle = (r.top + r.bottom) / 2;
                            return middle >= edges[b] && middle < edges[b + 1];
                        })));
    return most;
}

}  // namespace

std::optional<GridDraft> RuledGrid(const RuleCluster& cluster, const std::vector<TextRow>& rows) {
    const auto& hs = cluster.horizontals;
    const auto& vs = cluster.verticals;
    std::vector<int> rowRules = Positions(hs), columnRules = Positions(vs);
    if (hs.empty() && columnRules.size() < 2) return std::nullopt;
    if (vs.empty() && rowRules.size() == 1)
        return HeaderRuleGrid(**std::max_element(hs.begin(), hs.end(), [](const RuleLine* a, const RuleLine* b) {
                                  return a->to - a->from < b->to - b->from;
                              }),
                              rows);

    GridDraft draft;
    draft.ruled = true;
    draft.columnEdges = RuleEdges(columnRules, hs);
    draft.rowEdges = RuleEdges(rowRules, vs);
    // Without rules across a direction, the rules along it give the table's extent there.
    if (hs.empty()) draft.rowEdges = {Span(vs).first, Span(vs).second};
    if (vs.empty()) draft.columnEdges = {Span(hs).first, Span(hs).second};
    // A frame of four rules alone holds a paragraph far more often than a table.
    if (!hs.empty() && !vs.empty() && draft.columnEdges.size() < 3 && draft.rowEdges.size() < 3)
        return std::nullopt;
    if (hs.empty()) {
        // Only vertical rules: the outer columns may stand beyond the outermost rules.
        int widest = 0;
        for (size_t i = 1; i < columnRules.size(); ++i) widest = std::max(widest, columnRules[i] - columnRules[i - 1]);
        std::vector<TextRow> band = RowsInBox(rows, {columnRules.front() - widest, draft.rowEdges.front(),
                                                     columnRules.back() + widest, draft.rowEdges.back()});
        int left = draft.columnEdges.front(), right = draft.columnEdges.back();
        for (const TextRow& row : band)
            for (const CRtfXmlText* item : row.items)
                left = std::min(left, item->box.left), right = std::max(right, item->box.right);
        if (left < draft.columnEdges.front() - kTouch) draft.columnEdges.insert(draft.columnEdges.begin(), left);
        if (right > draft.columnEdges.back() + kTouch) draft.columnEdges.push_back(right);
    }
    if (draft.columnEdges.size() < 2 || draft.rowEdges.size() < 2) return std::nullopt;
    const RtfRect box{draft.columnEdges.front(), draft.rowEdges.front(), draft.columnEdges.back(),
                      draft.rowEdges.back()};
    if (box.Empty()) return std::nullopt;
    std::vector<TextRow> region = RowsInBox(rows, box);
    if (region.size() < 2) return std::nullopt;

    draft.columnsFromRules = draft.columnEdges.size() >= 3;
    if (!draft.columnsFromRules) {
        std::vector<Channel> channels = RowChannels(region, kFramedColumnGap);
        if (channels.empty()) return std::nullopt;
        draft.columnEdges = EdgesFromChannels(region, channels);
        Widen(draft.columnEdges, box.left, box.right);
    }
    // Rules between all rows give the rows; a few rules over many lines of text (a rule
    // under the heading, one at the foot) leave the rows to the text, unless vertical
    // rules show cells of several lines.
    draft.rowsFromRules = draft.rowEdges.size() >= 3 && (!vs.empty() || MostRowsInABand(region, draft.rowEdges) <= 2);
    if (!draft.rowsFromRules) {
        draft.rowEdges = EdgesFromRows(region, rowRules);
        Widen(draft.rowEdges, box.top, box.bottom);
    }
    if ((!draft.columnsFromRules || !draft.rowsFromRules) && ColumnsHoldProse(region, draft.columnEdges))
        return std::nullopt;
    if (draft.columnEdges.size() < 3 || draft.rowEdges.size() < 3) return std::nullopt;
    return draft;
}

}  // namespace tablefind
