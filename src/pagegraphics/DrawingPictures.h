#pragma once
// Dense drawings into pictures: each drawing of the page that shapes cannot carry
// is rendered from the page by the PDF core's rasteriser, without the page's
// text, and takes the place of its paths in the graphics list.
#include "pagegraphics/PageFootprints.h"
#include "pagegraphics/PageGraphicsJob.h"
#include "rtf/GraphicsList.h"

class PDFDoc;

namespace pagegraphics {

// Replaces the paths of every picture drawing of `page` by one picture, and drops
// the entries the picture already shows. With pictures removed the drawings go
// without a picture. False when a drawing could not be rendered (its paths stay).
// `doc` is the copy of the PDF the drawings are rendered from; the page's fonts
// are dropped from it, for the rendering leaves the text out.
bool ReplaceDrawingsByPictures(PageGraphicsJob& job, PDFDoc& doc, int page, const PageFootprints& footprints,
                               GraphicsList& graphics);

}  // namespace pagegraphics
