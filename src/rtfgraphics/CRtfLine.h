#pragma once
// A vector shape of a page: one stroked or filled path as the small PostScript
// text the page PostScript device recorded (clip, state, colours, path, operator),
// and the RTF freeform shapes made of it.
#include <string>

#include "rtf/RtfRect.h"
#include "rtfgraphics/CRtfShpObject.h"

class CRtfPage;
class ShapeIds;

class CRtfLine : public CRtfShpObject {
public:
    CRtfLine() : CRtfShpObject(KindShape) {}

    int ShapeNumber() const { return itemNumber; }

    // Makes rtfText: one freeform shape per subpath, ids drawn from the
    // document's sequence. False when there is nothing to draw.
    bool ConvertToRtf(const CRtfPage* page, ShapeIds& ids);
    const std::string& WriteRtf() const { return rtfText; }
    // Gives rtfText, ahead of ConvertToRtf, the room it will most likely need,
    // and touches it. The recorder calls it on its own thread, which has time to
    // spare: on a page of tens of thousands of shapes, fresh memory touched for
    // the first time was the writing thread's largest cost.
    void PrepareText();
    // The last subpath's box, in XML units.
    RtfRect Box() const { return {boxLeft, boxTop, boxRight, boxBottom}; }

    std::string psText;
    double lineWidth = 0;  // in user space units, as the PDF gave it
    std::string rtfText;
    std::string paintOp;  // "S", "f" or "f*"
    int boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
    double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    int clipUsed = 0;
    int pageWidth = 612, pageHeight = 792;
    int shapesWritten = 0;  // shape groups in rtfText, one per drawn subpath
};
