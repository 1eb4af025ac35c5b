#pragma once
// The PostScript texts a recorded graphic entry carries, built from the
// graphics state of the PDF core: matrix, line state, colours and path.
#include <string>

class GfxState;
class GfxPath;

namespace pagegraphics {

// "[a b c d e f]"
std::string MatrixText(const double* m);
// "m", "l", "c" and "h" lines of a path, in user space.
std::string PathText(const GfxPath* path);
// The fill colour as "g", "rg" or "k" line; the stroke colour as "G", "RG" or "K".
std::string FillColourText(GfxState* state);
std::string StrokeColourText(GfxState* state);
// Transformation, dash, flatness, join, cap, miter limit and line width lines.
std::string LineStateText(GfxState* state);

}  // namespace pagegraphics
