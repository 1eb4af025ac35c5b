// Borderless tables: short pieces of text standing in aligned columns over several rows,
// told apart from running text in columns, lists and justified paragraphs.
#include <algorithm>
#include <cctype>
#include <string>

#include "layout/ListMarker.h"
#include "layout/TableGeometry.h"

namespace tablefind {
namespace {

// Items closer than this (8 pt) are words of one cell: word gaps of justified text
// stretch to about this much, column gaps of tables stay above it.
constexpr int kColumnGap = 12;
// With only two columns the gap must say more: a label and its value stand well apart.
constexpr int kTwoColumnGap = 18;
// A piece wider than this (160 pt) is a line of text rather than a cell.
constexpr int kLongPiece = 240;
constexpr size_t kMinRows = 3;
// Figures set flush right in a wide column reach this far (100 pt) past their heading.
constexpr int kFigureReach = 150;

struct Piece {
    int left, right;
};

std::vector<Piece> Pieces(const TextRow& row) {
    std::vector<Piece> pieces;
    for (const CRtfXmlText* item : row.items) {
        if (!pieces.empty() && item->box.left - pieces.back().right < kColumnGap)
            pieces.back().right = std::max(pieces.back().right, item->box.right);
        else
            pieces.push_back({item->box.left, item->box.right});
    }
    return pieces;
}

bool Long(const Piece& p) { return p.right - p.left > kLongPiece; }

// The widest run of two or more short pieces side by side, none long between them.
bool TabularRun(const std::vector<Piece>& pieces, Piece& run) {
    bool found = false;
    for (size_t i = 0; i < pieces.size();) {
        if (Long(pieces[i])) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < pieces.size() && !Long(pieces[j])) ++j;
        if (j - i >= 2 && (!found || pieces[j - 1].right - pieces[i].left > run.right - run.left)) {
            run = {pieces[i].left, pieces[j - 1].right};
            found = true;
        }
        i = j;
    }
    return found;
}

// Each column's cells agree on their left, right or centre in most rows.
bool ColumnsAligned(const std::vector<TextRow>& rows, const std::vector<int>& edges) {
    for (size_t c = 0; c + 1 < edges.size(); ++c) {
        std::vector<Piece> cells;
        bool allMarkers = true;
        for (const TextRow& row : rows) {
            Piece cell{0, 0};
            bool any = false;
            for (const CRtfXmlText* item : row.items) {
                if (CentreX(item) < edges[c] || CentreX(item) >= edges[c + 1]) continue;
                cell = any ? Piece{std::min(cell.left, item->box.left), std::max(cell.right, item->box.right)}
                           : Piece{item->box.left, item->box.right};
                any = true;
                allMarkers = allMarkers && ListMarker(ItemText(item));
            }
            if (any) cells.push_back(cell);
        }
        // A column of bullets or numbers beside text is a list, not a table.
        if (c == 0 && allMarkers) return false;
        if (cells.size() * 2 < rows.size()) return false;
        auto agreeing = [&](auto edge) {
            size_t best = 0;
            for (const Piece& ref : cells) {
                size_t n = std::count_if(cells.begin(), cells.end(),
                                         [&](const Piece& p) { return std::abs(edge(p) - edge(ref)) <= 3; });
                best = std::max(best, n);
            }
            return best;
        };
        size_t agree = std::max({agreeing([](const Piece& p) { return p.left; }),
                                 agreeing([](const Piece& p) { return p.right; }),
                                 agreeing([](const Piece& p) { return (p.left + p.right) / 2; })});
        if (agree * 4 < cells.size() * 3) return false;
    }
    return true;
}

// Mostly digits: an amount, a count, a date, a percentage.
bool Figure(const std::string& text) {
    size_t digits = 0, others = 0;
    for (unsigned char c : text) {
        if (std::isdigit(c)) ++digits;
        else if (c != ' ') ++others;
    }
    return digits > 0 && digits >= others;
}

// A column after the first whose cells hold figures, most of them.
bool HoldsFigures(const std::vector<TextRow>& rows, const std::vector<int>& edges) {
    for (size_t c = 1; c + 1 < edges.size(); ++c) {
        size_t cells = 0, figures = 0;
        for (const TextRow& row : rows) {
            std::string text;
            for (const CRtfXmlText* item : row.items)
                if (CentreX(item) >= edges[c] && CentreX(item) < edges[c + 1]) text += ItemText(item);
            if (text.empty()) continue;
            ++cells;
            figures += Figure(text) ? 1 : 0;
        }
        if (cells > 0 && figures * 2 >= cells) return true;
    }
    return false;
}

bool EveryRowSpansColumns(const std::vector<TextRow>& rows, const std::vector<int>& edges) {
    for (const TextRow& row : rows) {
        int first = CentreX(row.items.front()), last = CentreX(row.items.back());
        auto column = [&](int x) { return std::upper_bound(edges.begin(), edges.end(), x) - edges.begin(); };
        if (column(first) == column(last)) return false;
    }
    return true;
}

bool BlockIsTable(const std::vector<TextRow>& rows, const std::vector<Channel>& channels, GridDraft& draft) {
    if (rows.size() < kMinRows || channels.empty()) return false;
    if (channels.size() == 1 && channels.front().right - channels.front().left < kTwoColumnGap) return false;
    std::vector<int> columns = EdgesFromChannels(rows, channels);
    if (!EveryRowSpansColumns(rows, columns) || !ColumnsAligned(rows, columns) || ColumnsHoldProse(rows, columns))
        return false;
    // Two or three columns of words alone are the columns of an index or a glossary
    // as often as a table: read row by row, their entries would interleave.
    if (columns.size() < 5 && !HoldsFigures(rows, columns)) return false;
    draft.columnEdges = std::move(columns);
    draft.rowEdges = EdgesFromRows(rows, {});
    return true;
}

}  // namespace

std::vector<GridDraft> FindBorderlessGrids(const std::vector<TextRow>& rows) {
    std::vector<GridDraft> grids;
    for (size_t i = 0; i < rows.size();) {
        Piece window{0, 0};
        if (!TabularRun(Pieces(rows[i]), window)) {
            ++i;
            continue;
        }
        std::vector<std::pair<int, int>> extents;
        for (const Piece& p : Pieces(rows[i]))
            if (p.left >= window.left && p.right <= window.right) extents.emplace_back(p.left, p.right);
        std::vector<Channel> channels = GapsBetween(extents, kColumnGap);
        size_t end = i + 1;
        for (; end < rows.size(); ++end) {
            const TextRow& above = rows[end - 1];
            // Rows of one table follow one another closely; a gap of a blank line and a
            // half ends it.
            if ((rows[end].top - above.bottom) * 2 > (above.bottom - above.top) * 3) break;
            std::vector<Piece> inside;
            for (const Piece& p : Pieces(rows[end]))
                if (p.right > window.left - kColumnGap && p.left < window.right + kFigureReach) inside.push_back(p);
            if (inside.size() < 2 || std::any_of(inside.begin(), inside.end(), Long)) break;
            std::vector<std::pair<int, int>> grown = extents;
            for (const Piece& p : inside) grown.emplace_back(p.left, p.right);
            std::vector<Channel> narrowed = GapsBetween(grown, kColumnGap);
            // A row that would close a column the rows so far agree on belongs elsewhere.
            if (narrowed.empty() || (end - i >= 2 && narrowed.size() < channels.size())) break;
            extents = std::move(grown);
            channels = std::move(narrowed);
            window = {std::min(window.left, inside.front().left), std::max(window.right, inside.back().right)};
        }
        std::vector<TextRow> block(rows.begin() + static_cast<long>(i), rows.begin() + static_cast<long>(end));
        block = RowsInBox(block, {window.left, block.front().top, window.right + 1, block.back().bottom + 1});
        GridDraft draft;
        if (block.size() == end - i && BlockIsTable(block, channels, draft)) {
            grids.push_back(std::move(draft));
            i = end;
        } else {
            ++i;
        }
    }
    return grids;
}

}  // namespace tablefind
