// The job record of the page-graphics pass owns the job's Ghostscript.
#include "pagegraphics/PageGraphicsJob.h"

#include "pagegraphics/GhostscriptRender.h"
#include "pagegraphics/SourcePictures.h"

namespace pagegraphics {

PageGraphicsJob::PageGraphicsJob() = default;
PageGraphicsJob::~PageGraphicsJob() = default;

void PageGraphicsJob::EndRenderer() { renderer.reset(); }

}  // namespace pagegraphics
