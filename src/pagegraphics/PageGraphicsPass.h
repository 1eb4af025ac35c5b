#pragma once
// The page-graphics pass of one page: the page as PostScript with its graphics
// recorded, then its pictures through the image filter.
class CConvertDoc;

namespace pagegraphics {

// 0 when the page had no problem; 81 when a skewed picture was left out; 82
// when a picture could not be rendered or the page not written.
int RunPageGraphicsPass(CConvertDoc& job, int page);

}  // namespace pagegraphics
