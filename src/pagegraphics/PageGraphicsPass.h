#pragma once
// The page-graphics pass of one page: the page as PostScript with its graphics
// recorded, then its pictures through the image filter.
#include "pagegraphics/PageGraphicsJob.h"
#include "rtf/GraphicsList.h"

namespace pagegraphics {

// Records the graphics of `page` into `graphics`. 0 when the page had no problem;
// 81 when a skewed picture was left out; 82 when a picture could not be rendered
// or the page not written.
int RunPageGraphicsPass(PageGraphicsJob& job, int page, GraphicsList& graphics);

}  // namespace pagegraphics
