#pragma once
// The pictures and vector shapes of a page as RTF: each recorded shape when the
// page is handed it, and the page's graphics, in the order they were handed to
// it, as the RTF written at the start of the page.
#include <deque>
#include <string>
#include <vector>

class CRtfPage;
class Picture;
class ShapeIds;
class VectorShape;

// Makes the shape's rtfText: one freeform shape per subpath, ids drawn from the
// document's sequence. False when there is nothing to draw.
bool ConvertShapeToRtf(VectorShape& shape, const CRtfPage* page, ShapeIds& ids);
// The picture as a floating picture shape behind the text, its JPEG data
// embedded; empty when pictures are removed or there is no picture text.
std::string WritePicture(const Picture& picture, const CRtfPage* page, ShapeIds& ids, bool removeImages);

// The shapes' texts are referred to where the page keeps them, not copied: a
// drawing-heavy page carries tens of megabytes of them.
struct PageGraphicsPieces {
    std::deque<std::string> pictures;        // the pictures' texts, made for this page
    std::vector<const std::string*> pieces;  // every non-empty text, in drawing order
    bool Empty() const { return pieces.empty(); }
    std::string Joined() const;
};

// Valid while the page and its entries are.
PageGraphicsPieces WritePageGraphics(const CRtfPage& page, ShapeIds& ids, bool removeImages);
