// Grouping a page's paths into drawings: paths that touch or nearly touch, and
// paths under one clip, are one drawing.
#include "pagegraphics/PageDrawings.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pagegraphics {
namespace {

// Paths closer than about a point are one drawing. Closeness is judged on a grid
// of cells, so that a page of tens of thousands of paths is grouped at once.
constexpr double kNear = 1.5;
constexpr double kCell = 6;

class Groups {
public:
    explicit Groups(size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), size_t{0}); }
    size_t Find(size_t i) {
        while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void Join(size_t a, size_t b) {
        a = Find(a);
        b = Find(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<size_t> parent_;
};

// Rules (thin lines and bars: underlines, borders, separators), frames, and the
// grounds of cells and frames, filled rectangles large on both sides.
bool BelongsToText(const ShapeFootprint& s) {
    if (!s.axisAligned) return false;
    const double thin = std::min(s.box.Width(), s.box.Height());
    return thin <= 4 || !s.filled || thin >= 18;
}

struct Group {
    Drawing drawing;
    int figurePaths = 0;
    int pieces = 0;
    bool painted = false;  // a shading, a pattern, a soft mask or a clip: only a picture shows it
};

}  // namespace

std::vector<Drawing> PictureDrawings(const PageFootprints& page) {
    const size_t paths = page.shapes.size();
    const size_t n = paths + page.paintedAreas.size();
    if (n == 0) return {};
    const double pageArea = page.pageWidth * page.pageHeight;
    auto boxOf = [&](size_t i) -> const FootprintBox& {
        return i < paths ? page.shapes[i].box : page.paintedAreas[i - paths].box;
    };
    auto grouped = [&](size_t i) {
        if (i < paths && page.shapes[i].picture) return false;
        const FootprintBox& b = boxOf(i);
        // A page's ground or a large frame would tie everything on the page into one drawing.
        return !b.Empty() && b.Width() * b.Height() < 0.25 * pageArea;
    };

    Groups groups(n);
    const int columns = std::max(1, static_cast<int>(std::ceil(page.pageWidth / kCell)));
    const int rows = std::max(1, static_cast<int>(std::ceil(page.pageHeight / kCell)));
    std::vector<size_t> firstInCell(static_cast<size_t>(columns) * rows, n);
    auto cell = [](double v, int count) { return std::clamp(static_cast<int>(std::floor(v / kCell)), 0, count - 1); };
    std::vector<size_t> firstUnderClip;
    for (size_t i = 0; i < n; ++i) {
        if (!grouped(i)) continue;
        const FootprintBox& b = boxOf(i);
        const int c0 = cell(b.left - kNear, columns), c1 = cell(b.right + kNear, columns);
        const int r0 = cell(b.top - kNear, rows), r1 = cell(b.bottom + kNear, rows);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                size_t& first = firstInCell[static_cast<size_t>(r) * columns + c];
                if (first == n)
                    first = i;
                else
                    groups.Join(first, i);
            }
        if (i < paths && page.shapes[i].clip >= 0) {
            const size_t clip = static_cast<size_t>(page.shapes[i].clip);
            if (firstUnderClip.size() <= clip) firstUnderClip.resize(clip + 1, n);
            if (firstUnderClip[clip] == n)
                firstUnderClip[clip] = i;
            else
                groups.Join(firstUnderClip[clip], i);
        }
    }

    std::vector<Group> byRoot(n);
    for (size_t i = 0; i < n; ++i) {
        const FootprintBox& b = boxOf(i);
        if (b.Empty() || (i < paths && page.shapes[i].picture)) continue;
        Group& g = byRoot[grouped(i) ? groups.Find(i) : i];
        g.drawing.box.Add(b);
        if (i >= paths) {
            const PaintedArea& area = page.paintedAreas[i - paths];
            g.painted = true;
            if (area.entry <= g.drawing.firstEntry) {
                g.drawing.firstEntry = area.entry;
                g.drawing.drawingOrder = area.drawingOrder;
            }
            continue;
        }
        const ShapeFootprint& s = page.shapes[i];
        if (s.entry < g.drawing.firstEntry) {
            g.drawing.firstEntry = s.entry;
            g.drawing.drawingOrder = s.drawingOrder;
        }
        g.drawing.footprints.push_back(i);
        g.pieces += s.pieces;
        if (s.softMasked) g.painted = true;
        if (!BelongsToText(s)) {
            ++g.figurePaths;
            // A curve running out of its plot's frame: the shape would show all of it.
            if (s.cutByClip) g.painted = true;
        }
    }

    std::vector<Drawing> pictures;
    std::vector<Group*> shapes;
    int shapesKept = 0;
    for (Group& g : byRoot) {
        if (g.drawing.box.Empty()) continue;
        if (g.painted || g.figurePaths > kFigurePaths) {
            pictures.push_back(std::move(g.drawing));
        } else if (!g.drawing.footprints.empty()) {
            shapes.push_back(&g);
            shapesKept += g.pieces;
        }
    }
    // Still too many shapes on the page: the largest drawings go first. Drawings of
    // rules and grounds alone stay: they are the grids of tables, whose rules become
    // the table's borders rather than shapes, and as a picture they would be lost to it.
    std::sort(shapes.begin(), shapes.end(), [](const Group* a, const Group* b) { return a->pieces > b->pieces; });
    for (Group* g : shapes) {
        if (shapesKept <= kPageShapes) break;
        if (g->figurePaths == 0) continue;
        shapesKept -= g->pieces;
        pictures.push_back(std::move(g->drawing));
    }
    return pictures;
}

}  // namespace pagegraphics
