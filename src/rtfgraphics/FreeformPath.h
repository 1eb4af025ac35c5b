#pragma once
// One subpath of a recorded path as the geometry of an RTF freeform shape:
// vertices in twips from the shape's corner, how they are joined, and where
// the shape sits on the page.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rtf/RtfRect.h"

// The transformation of the path's points into the page, as the "cm" line gave it.
struct PathMatrix {
    double m[6] = {1.5, 0, 0, 1.5, 0, 0};
    int rotation = 0;  // 0, 90, 180 or 270, from the matrix's zeros
};

// A straight piece of a subpath that runs along the page's axes, in XML units.
struct AxisEdge {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Horizontal() const { return y0 == y1; }
};

struct FreeformShape {
    std::string vertices;  // "8;N;(x,y);..." in twips from the shape's top left corner
    std::string segments;  // "2;count;16384;..." the path commands over the vertices
    RtfRect twips;         // the shape's rectangle on the page
    RtfRect box;           // the same in XML units
    bool thin = false;     // a rectangle too thin to be seen without an outline
    // The subpath's straight pieces when every one of them runs along the page's
    // axes (rules, frames, rectangles); empty when it holds a curve or a slant.
    std::vector<AxisEdge> axisEdges;
    // The subpath is one rectangle along the page's axes, whose extent this is.
    bool rectangle = false;
    double extentLeft = 0, extentTop = 0, extentRight = 0, extentBottom = 0;
    size_t next = 0;       // where the next subpath starts in the path text; 0 when none is left

    bool Empty() const { return vertices.empty(); }
};

// Builds the first subpath of pathText; pageHeight turns the path's upward y
// into the page's downward y. paintOp is "S", "f" or "f*".
FreeformShape BuildFreeform(std::string_view pathText, const PathMatrix& matrix, int pageHeight,
                            const std::string& paintOp);

// The numbers of a recorded line, split at blanks and tabs, at most `most` of
// them; a malformed number reads as 0, missing ones are not added.
std::vector<double> ReadNumbers(std::string_view text, size_t most = static_cast<size_t>(-1));

// A value of a damaged file may be far beyond any page: it is held within what
// an int carries before it is truncated to one.
int TruncatedInt(double v);
