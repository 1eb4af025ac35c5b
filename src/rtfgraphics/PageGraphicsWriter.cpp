// Pictures write themselves when the page is written; shapes carry the RTF made when they were handed over.
#include "rtfgraphics/PageGraphicsWriter.h"

#include "rtf/CRtfPage.h"
#include "rtfgraphics/CRtfImage.h"
#include "rtfgraphics/CRtfLine.h"

std::string WritePageGraphics(const CRtfPage& page, ShapeIds& ids, bool removeImages) {
    std::string out;
    size_t shapeBytes = 0;
    for (const auto& entry : page.graphics)
        if (entry && entry->Kind() == CRtfShpObject::KindShape)
            shapeBytes += static_cast<const CRtfLine&>(*entry).WriteRtf().size();
    out.reserve(shapeBytes);
    for (const auto& entry : page.graphics) {
        if (!entry) continue;
        if (entry->Kind() == CRtfShpObject::KindPicture)
            out += static_cast<const CRtfImage&>(*entry).WriteRtf(&page, ids, removeImages);
        else if (entry->Kind() == CRtfShpObject::KindShape)
            out += static_cast<const CRtfLine&>(*entry).WriteRtf();
    }
    return out;
}
