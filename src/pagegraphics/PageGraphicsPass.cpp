// One page through the PostScript device and the image filter.
#include "pagegraphics/PageGraphicsPass.h"

#include <PDFDoc.h>

#include "convert/CConvertDoc.h"
#include "convert/CGraphicsList.h"
#include "pagegraphics/PageDrawsGraphics.h"
#include "pagegraphics/PageImageFilter.h"
#include "pagegraphics/PagePostScriptDevice.h"
#include "pagegraphics/StandInFonts.h"
#include "platform/DrawingBudget.h"

namespace pagegraphics {

int RunPageGraphicsPass(CConvertDoc& job, int page) {
    PDFDoc* doc = job.graphicsDocument.get();
    if (!doc || !doc->isOk() || page < 1 || page > doc->getNumPages()) return FilterDone;
    if (!PageDrawsGraphics(*doc, page)) return FilterDone;
    UseStandInFonts(*doc, page);
    CGraphicsList& graphics = CGraphicsList::Process();
    const int paperWidth = static_cast<int>(doc->getPageCropWidth(page));
    const int paperHeight = static_cast<int>(doc->getPageCropHeight(page));
    const std::string psPath = job.workDir + "/" + job.baseName + ".ps";
    bool written = false;
    {
        PagePostScriptDevice device(psPath, doc, page, paperWidth, paperHeight, graphics);
        if (device.Ready()) {
            platform::DrawingBudget budget(&job.para->cancelRequested);
            doc->displayPage(&device, page, 108, 108, 0, false, false, false, &platform::DrawingBudget::Spent, &budget);
            device.Flush();
            written = !device.WriteFailed();
            if (budget.Exceeded())
                job.para->AddNote("page " + std::to_string(page) +
                                  " draws more than any real page; the rest of its graphics was left out");
        }
    }
    if (job.para->cancelRequested) return FilterDone;
    if (!written) {
        // Without the page's PostScript its pictures are unknown: that is a
        // failure of the page, never a page without pictures.
        CConvertPara& para = *job.para;
        ++para.pictures.failed;
        if (para.pictures.firstProblem.empty())
            para.pictures.firstProblem = "page " + std::to_string(page) + ": its PostScript cannot be written to " + psPath;
        return FilterFailed;
    }
    // Text jobs embed their pictures as JPEG whatever device the record names.
    const std::string device = job.para->jobMode == ModeExtractImages ? job.para->imageDevice : "jpeg";
    PageImageFilter filter(psPath, page, device, graphics, job);
    return filter.Run();
}

}  // namespace pagegraphics
