#pragma once
// Where the last rotated text shape of a page went: successive pieces of one
// rotated line are placed after one another along the line. Kept per page, so
// a page's shapes never depend on what an earlier page or document wrote.
#include "rtf/RtfRect.h"

struct TextShapeChain {
    int lastAngle = 0;  // 0: no rotated piece written yet
    RtfRect lastShape;  // twips
    int baseLeft = 0;   // left and top (twips) of the rectangle the last shape came from
    int baseTop = 0;
};
