// The rule side of the table finder: rule pieces snapped and joined into rules, and the
// rules grouped into the clusters that may frame a table.
#include <algorithm>
#include <numeric>

#include "layout/TableGeometry.h"

namespace tablefind {
namespace {

// Pieces of one rule may leave a unit or two between them where a producer drew one
// path per cell border.
constexpr int kJoinGap = 3;
// Parallel rules further apart than this frame no rows (some 130 pt) or columns (some
// 270 pt) of one table.
constexpr int kRowStackGap = 200;
constexpr int kColumnStackGap = 400;

struct PieceRef {
    size_t index;
    int position, from, to;
};

void JoinAlong(std::vector<PieceRef>& pieces, bool horizontal, const std::vector<RulePiece>& rules,
               std::vector<RuleLine>& out) {
    std::sort(pieces.begin(), pieces.end(),
              [](const PieceRef& a, const PieceRef& b) { return a.position < b.position; });
    for (size_t first = 0; first < pieces.size();) {
        size_t end = first + 1;
        while (end < pieces.size() && pieces[end].position - pieces[first].position <= kSnap) ++end;
        std::sort(pieces.begin() + first, pieces.begin() + end,
                  [](const PieceRef& a, const PieceRef& b) { return a.from < b.from; });
        for (size_t i = first; i < end;) {
            RuleLine line;
            line.horizontal = horizontal;
            line.from = pieces[i].from;
            line.to = pieces[i].to;
            long positionSum = 0;
            int longest = -1;
            size_t j = i;
            for (; j < end && pieces[j].from <= line.to + kJoinGap; ++j) {
                const RulePiece& piece = rules[pieces[j].index];
                line.to = std::max(line.to, pieces[j].to);
                line.pieces.push_back(pieces[j].index);
                positionSum += pieces[j].position;
                line.widthTwips = std::max(line.widthTwips, piece.widthTwips);
                if (pieces[j].to - pieces[j].from > longest) {
                    longest = pieces[j].to - pieces[j].from;
                    line.colour = piece.colour;
                }
            }
            line.position = static_cast<int>(positionSum / static_cast<long>(j - i));
            out.push_back(std::move(line));
            i = j;
        }
        first = end;
    }
}

struct UnionFind {
    std::vector<size_t> parent;
    explicit UnionFind(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    size_t Root(size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    void Unite(size_t a, size_t b) { parent[Root(a)] = Root(b); }
};

bool OverlapsMostly(const RuleLine& a, const RuleLine& b) {
    int overlap = std::min(a.to, b.to) - std::max(a.from, b.from);
    int longer = std::max(a.to - a.from, b.to - b.from);
    return overlap > 0 && overlap * 5 >= longer * 4;
}

}  // namespace

std::vector<RuleLine> JoinRuleLines(const std::vector<RulePiece>& rules) {
    std::vector<PieceRef> horizontals, verticals;
    for (size_t i = 0; i < rules.size(); ++i) {
        const RtfRect& b = rules[i].box;
        if (rules[i].ground) continue;
        if (b.Width() >= b.Height())
            horizontals.push_back({i, (b.top + b.bottom) / 2, b.left, b.right});
        else
            verticals.push_back({i, (b.left + b.right) / 2, b.top, b.bottom});
    }
    std::vector<RuleLine> lines;
    JoinAlong(horizontals, true, rules, lines);
    JoinAlong(verticals, false, rules, lines);
    return lines;
}

std::vector<RuleCluster> ClusterRules(const std::vector<RuleLine>& lines) {
    UnionFind sets(lines.size());
    std::vector<size_t> horizontals, verticals;
    for (size_t i = 0; i < lines.size(); ++i) (lines[i].horizontal ? horizontals : verticals).push_back(i);
    auto byPosition = [&](size_t a, size_t b) { return lines[a].position < lines[b].position; };
    std::sort(horizontals.begin(), horizontals.end(), byPosition);
    std::sort(verticals.begin(), verticals.end(), byPosition);

    // Crossings: only the verticals standing within a horizontal's extent are looked at.
    std::vector<bool> crossed(lines.size(), false);
    for (size_t h : horizontals) {
        const RuleLine& hl = lines[h];
        auto first = std::lower_bound(verticals.begin(), verticals.end(), hl.from - kTouch,
                                      [&](size_t v, int x) { return lines[v].position < x; });
        for (auto it = first; it != verticals.end() && lines[*it].position <= hl.to + kTouch; ++it) {
            const RuleLine& vl = lines[*it];
            if (hl.position >= vl.from - kTouch && hl.position <= vl.to + kTouch) {
                sets.Unite(h, *it);
                crossed[h] = crossed[*it] = true;
            }
        }
    }
    // Parallel rules that meet nothing: stacks of rules of one length near one another.
    for (const std::vector<size_t>* group : {&horizontals, &verticals}) {
        const int stackGap = group == &horizontals ? kRowStackGap : kColumnStackGap;
        for (size_t i = 0; i < group->size(); ++i) {
            const RuleLine& a = lines[(*group)[i]];
            if (crossed[(*group)[i]]) continue;
            for (size_t j = i + 1; j < group->size() && lines[(*group)[j]].position - a.position <= stackGap; ++j) {
                const RuleLine& b = lines[(*group)[j]];
                if (!crossed[(*group)[j]] && b.position - a.position > kSnap && OverlapsMostly(a, b))
                    sets.Unite((*group)[i], (*group)[j]);
            }
        }
    }

    std::vector<RuleCluster> clusters;
    std::vector<long> clusterOfRoot(lines.size(), -1);
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t root = sets.Root(i);
        if (clusterOfRoot[root] < 0) {
            clusterOfRoot[root] = static_cast<long>(clusters.size());
            clusters.emplace_back();
        }
        RuleCluster& c = clusters[static_cast<size_t>(clusterOfRoot[root])];
        (lines[i].horizontal ? c.horizontals : c.verticals).push_back(&lines[i]);
    }
    return clusters;
}

}  // namespace tablefind
