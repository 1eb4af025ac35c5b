#pragma once
// Dense drawings into pictures: each drawing of the page that shapes cannot carry
// is rendered from the page by the PDF core's rasteriser, without the page's
// text, and takes the place of its paths in the graphics list.
#include <memory>

#include "pagegraphics/PageFootprints.h"
#include "pagegraphics/PageGraphicsJob.h"
#include "rtf/GraphicsList.h"

class PDFDoc;
class Picture;

namespace pagegraphics {

// Replaces the paths of every picture drawing of `page` by one picture, and drops
// the entries the picture already shows. With pictures removed the drawings go
// without a picture. False when a drawing could not be rendered (its paths stay).
// `doc` is the copy of the PDF the drawings are rendered from; the page's fonts
// are dropped from it, for the rendering leaves the text out.
bool ReplaceDrawingsByPictures(PageGraphicsJob& job, PDFDoc& doc, int page, const PageFootprints& footprints,
                               GraphicsList& graphics);

// A picture made from a rendering of the page, shown upright at `box` (XML units,
// y downward) on a page `pageHeight` high; its data is still to be encoded.
std::unique_ptr<Picture> PlacedPicture(const FootprintBox& box, double pageHeight, int drawingOrder);

}  // namespace pagegraphics
