#pragma once
// The page-graphics pass of one page: the page as PostScript with its graphics
// recorded, then its pictures through the image filter, then its dense drawings
// rendered as pictures.
#include "pagegraphics/PageFootprints.h"
#include "pagegraphics/PageGraphicsJob.h"
#include "rtf/GraphicsList.h"

class PDFDoc;

namespace pagegraphics {

// A recorded page whose drawings are still to be rendered. Rendering costs as
// much as recording, so a caller with a second thread leaves it to that thread
// while the next page is recorded.
struct PendingDrawings {
    PageFootprints footprints;
    int result = 0;        // the page's result so far
    bool pending = false;  // false: the page is complete as recorded
};

// Records the graphics of `page` into `graphics`. 0 when the page had no problem;
// 81 when a skewed picture was left out; 82 when a picture could not be rendered
// or the page not written. With `later`, the drawings are left in it for
// RenderPendingDrawings; without, they are rendered here.
int RunPageGraphicsPass(PageGraphicsJob& job, int page, GraphicsList& graphics, PendingDrawings* later = nullptr);

// Renders the drawings a pass left, from `doc`: a copy of the PDF that no other
// thread uses. Returns the page's result.
int RenderPendingDrawings(PageGraphicsJob& job, PDFDoc& doc, int page, PendingDrawings& pending,
                          GraphicsList& graphics);

}  // namespace pagegraphics
