#pragma once
// Where the recorded graphics of a page lie, as the page-graphics device saw
// them: enough to group the page's paths into drawings and to tell a table's
// rules from a chart, without parsing the recorded PostScript again.
#include <cstddef>
#include <vector>

namespace pagegraphics {

// A box in XML units (108 per inch), y downward from the top of the page.
struct FootprintBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    void Add(const FootprintBox& b) {
        if (b.Empty()) return;
        if (Empty()) {
            *this = b;
            return;
        }
        if (b.left < left) left = b.left;
        if (b.top < top) top = b.top;
        if (b.right > right) right = b.right;
        if (b.bottom > bottom) bottom = b.bottom;
    }
    FootprintBox Intersected(const FootprintBox& b) const {
        FootprintBox r{left > b.left ? left : b.left, top > b.top ? top : b.top, right < b.right ? right : b.right,
                       bottom < b.bottom ? bottom : b.bottom};
        return r.Empty() ? FootprintBox{} : r;
    }
    bool Contains(const FootprintBox& b) const {
        return b.left >= left && b.right <= right && b.top >= top && b.bottom <= bottom;
    }
};

// What a picture fills: the unit square mapped by its matrix `m` ("a b c d e f"),
// in the matrix's own coordinates, `top` its least y and `bottom` its greatest.
inline FootprintBox UnitSquareBox(const double* m) {
    const double xs[] = {m[4], m[4] + m[0], m[4] + m[2], m[4] + m[0] + m[2]};
    const double ys[] = {m[5], m[5] + m[1], m[5] + m[3], m[5] + m[1] + m[3]};
    FootprintBox box{xs[0], ys[0], xs[0], ys[0]};
    for (int i = 1; i < 4; ++i) {
        box.left = xs[i] < box.left ? xs[i] : box.left;
        box.right = xs[i] > box.right ? xs[i] : box.right;
        box.top = ys[i] < box.top ? ys[i] : box.top;
        box.bottom = ys[i] > box.bottom ? ys[i] : box.bottom;
    }
    return box;
}

// One recorded stroke or fill, or one recorded picture.
struct ShapeFootprint {
    size_t entry = 0;     // its place in the page's graphics list
    int drawingOrder = 0;
    FootprintBox box;     // what it paints, cut to its clip; empty when the clip hides it all
    bool picture = false; // a picture of the PDF, not a path
    // Only horizontal and vertical straight segments: a rule, a frame, a cell.
    bool axisAligned = false;
    bool filled = false;
    bool softMasked = false;  // painted through a soft mask, which shapes cannot show
    int clip = -1;            // the clip it was painted under, when that clip is smaller than the page
    bool cutByClip = false;   // that clip cuts it: a shape would show it whole
    int pieces = 1;           // subpaths, each a shape of its own in the RTF
};

// A shading or a pattern fill: a painted area that no shape can carry.
struct PaintedArea {
    size_t entry = 0;       // the place in the graphics list it was painted at
    int drawingOrder = 0;
    FootprintBox box;
};

struct PageFootprints {
    double pageWidth = 0, pageHeight = 0;  // XML units
    std::vector<ShapeFootprint> shapes;
    std::vector<PaintedArea> paintedAreas;
};

}  // namespace pagegraphics
