#pragma once
// A vector shape of a page: one stroked or filled path as the small PostScript
// text the page PostScript device recorded (clip, state, colours, path, operator).
#include <string>

#include "rtfgraphics/CRtfShpObject.h"

class CRtfLine : public CRtfShpObject {
public:
    CRtfLine() : CRtfShpObject(KindShape) {}

    int ShapeNumber() const { return itemNumber; }

    std::string psText;
    double lineWidth = 0;  // in user space units, as the PDF gave it
};
