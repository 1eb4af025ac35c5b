// One page through the PostScript device and the image filter.
#include "pagegraphics/PageGraphicsPass.h"

#include <PDFDoc.h>

#include "pagegraphics/DrawingPictures.h"
#include "pagegraphics/PageDrawsGraphics.h"
#include "pagegraphics/PageImageFilter.h"
#include "pagegraphics/PagePostScriptDevice.h"
#include "pagegraphics/SourcePictures.h"
#include "pagegraphics/StandInFonts.h"
#include "platform/DrawingBudget.h"

namespace pagegraphics {

int RunPageGraphicsPass(PageGraphicsJob& job, int page, GraphicsList& graphics, PendingDrawings* later) {
    PDFDoc* doc = job.document;
    if (!doc || !doc->isOk() || page < 1 || page > doc->getNumPages()) return FilterDone;
    if (!PageDrawsGraphics(*doc, page)) return FilterDone;
    UseStandInFonts(*doc, page);
    const int paperWidth = static_cast<int>(doc->getPageCropWidth(page));
    const int paperHeight = static_cast<int>(doc->getPageCropHeight(page));
    const std::string psPath = job.workDir + "/" + job.baseName + ".ps";
    bool written = false;
    bool complete = true;
    PageFootprints footprints;
    {
        PagePostScriptDevice device(psPath, doc, page, paperWidth, paperHeight, graphics);
        if (job.picturesFromSource && !job.imageJob && !job.removeImages) {
            if (!job.sourcePictures) job.sourcePictures = std::make_unique<SourcePictures>(job.pictures);
            device.TakePicturesFrom(job.sourcePictures.get());
        }
        if (device.Ready()) {
            platform::DrawingBudget budget(job.cancel);
            doc->displayPage(&device, page, 108, 108, 0, false, false, false, &platform::DrawingBudget::Spent, &budget);
            device.Flush();
            written = !device.WriteFailed();
            footprints = device.Footprints();
            complete = !budget.Exceeded();
            if (!complete)
                job.observer->AddNote("page " + std::to_string(page) +
                                      " draws more than any real page; the rest of its graphics was left out");
        }
    }
    if (job.Cancelled()) return FilterDone;
    if (!written) {
        // Without the page's PostScript its pictures are unknown: that is a
        // failure of the page, never a page without pictures.
        PictureTally& pictures = *job.pictures;
        ++pictures.failed;
        if (pictures.firstProblem.empty())
            pictures.firstProblem = "page " + std::to_string(page) + ": its PostScript cannot be written to " + psPath;
        return FilterFailed;
    }
    int result;
    {
        PageImageFilter filter(psPath, page, graphics, job);
        result = filter.Run();
    }
    // An image job's pictures are the PDF's own; a page cut short by its budget
    // would only be cut short again.
    if (job.imageJob || !complete || job.Cancelled()) return result;
    PendingDrawings pending{std::move(footprints), result, true};
    if (later) {
        *later = std::move(pending);
        return result;
    }
    return RenderPendingDrawings(job, *doc, page, pending, graphics);
}

int RenderPendingDrawings(PageGraphicsJob& job, PDFDoc& doc, int page, PendingDrawings& pending,
                          GraphicsList& graphics) {
    if (!pending.pending) return pending.result;
    pending.pending = false;
    if (!ReplaceDrawingsByPictures(job, doc, page, pending.footprints, graphics) && pending.result == FilterDone) {
        // The drawing's shapes stay: the page is complete, only heavier.
        job.observer->Log("page " + std::to_string(page) + ": a drawing could not be rendered as a picture");
    }
    return pending.result;
}

}  // namespace pagegraphics
