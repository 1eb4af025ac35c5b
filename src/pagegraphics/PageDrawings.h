#pragma once
// A page's vector graphics grouped into drawings by where they lie, and each
// drawing judged: rules and boxes that belong to the text stay shapes, a dense
// or shaded drawing becomes one picture.
#include <cstddef>
#include <vector>

#include "pagegraphics/PageFootprints.h"

namespace pagegraphics {

// Past this many paths that are neither rules nor boxes (curves, slanted lines,
// small marks) a drawing is a figure. A word processor's layout time grows with
// every shape of the document, not of the page: a book of small diagrams kept
// as some 1,900 shapes took LibreOffice 75 s to lay out, as some 1,000 19 s.
inline constexpr int kFigurePaths = 8;
// No page keeps more shapes than this: beyond it a word processor's layout time
// grows faster than the count, and a page takes minutes to open.
inline constexpr int kPageShapes = 300;

struct Drawing {
    FootprintBox box;                   // XML units
    std::vector<size_t> footprints;     // indexes into PageFootprints::shapes, paths only
    // Where the drawing begins in the page's painting: the first graphics-list place
    // it takes, and its drawing order there.
    size_t firstEntry = static_cast<size_t>(-1);
    int drawingOrder = 0;
};

// The drawings of the page that are to be shown as pictures.
std::vector<Drawing> PictureDrawings(const PageFootprints& page);

}  // namespace pagegraphics
