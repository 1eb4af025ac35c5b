// Pictures write themselves when the page is written; shapes carry the RTF made when they were handed over.
#include "rtfgraphics/PageGraphicsWriter.h"

#include "rtf/CRtfPage.h"
#include "rtf/RecordedGraphics.h"

std::string PageGraphicsPieces::Joined() const {
    std::string out;
    for (const std::string* piece : pieces) out += *piece;
    return out;
}

PageGraphicsPieces WritePageGraphics(const CRtfPage& page, ShapeIds& ids, bool removeImages) {
    PageGraphicsPieces out;
    for (const auto& entry : page.graphics) {
        if (!entry) continue;
        const std::string* text = nullptr;
        if (entry->Kind() == GraphicEntry::KindPicture) {
            out.pictures.push_back(WritePicture(static_cast<const Picture&>(*entry), &page, ids, removeImages));
            text = &out.pictures.back();
        } else if (entry->Kind() == GraphicEntry::KindShape) {
            text = &static_cast<const VectorShape&>(*entry).rtfText;
        }
        if (text && !text->empty()) out.pieces.push_back(text);
    }
    return out;
}
