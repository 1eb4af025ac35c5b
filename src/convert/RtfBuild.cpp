// The RTF build: the selected pages, read back from the XML, into the RTF file.
#include <PDFDoc.h>

#include <cstdio>
#include <filesystem>

#include "convert/ConversionJob.h"
#include "convert/GraphicsAhead.h"
#include "convert/PdfOpen.h"
#include "pagegraphics/PageGraphicsPass.h"

namespace {

std::string PageStartedLine(int page) {
    char line[64];
    std::snprintf(line, sizeof line, "Conversion of <%u> page started.", static_cast<unsigned>(page));
    return line;
}

}  // namespace

int ConversionJob::RtfBuild(bool withGraphics) {
    // Opened only to tell an unreadable PDF apart: the pages come from the XML
    // and the page graphics read their own copy.
    const int failure = OpenFailure(OpenPdf());
    ClosePdf();
    if (failure != ResultDone) return failure;

    std::unique_ptr<IRtfDocument> rtf;
    if (engines_->createRtfDocument) rtf = engines_->createRtfDocument(para->xmlPath, *para);
    if (!rtf) return ResultCannotOpen;
    // The layout decides what the header's tables hold.
    rtf->SetLayoutMode(para->jobMode);
    if (!rtf->OpenRtf()) {
        rtf.reset();
        return ResultCannotWrite;
    }
    para->FileStarted(para->inputPath, para->outputDir + "/" + baseName + "." + para->ResultFormat());

    if (withGraphics) StartPageGraphics();
    int result = ResultDone;
    int pagesWritten = 0;
    para->pagesWritten = 0;
    for (int n = para->firstPage; para->cancelRequested == 0 && n <= para->lastPage; ++n) {
        para->currentPage = n;
        if (para->pages.Selected(n)) {
            para->Log(PageStartedLine(n));
            para->Progress(Percent(n));
            GraphicsList graphics;
            if (withGraphics) graphics = graphicsAhead_->Take(n);
            if (para->jobMode == ModeFlowingText) scans_.ReplaceScan(n, graphics);
            if (!rtf->ReadPage(n)) {
                rtf.reset();
                StopPageGraphics();
                return ResultPageFailed;
            }
            if (withGraphics) rtf->AddGraphics(graphics);
            for (const std::string& note : rtf->TakeNotes()) para->AddNote(note);
            if (rtf->WritePage({.first = n == para->firstPage, .last = n == para->lastPage})) ++pagesWritten;
            else result = ResultPageFailed;
        }
        if (result != ResultDone) break;
    }
    StopPageGraphics();
    para->pagesWritten = pagesWritten;
    // A document that did not reach the disk whole is no result, whatever its pages were.
    if (!rtf->Close()) result = ResultCannotWrite;
    rtf.reset();
    if (result == ResultDone && pagesWritten == 0 && para->cancelRequested == 0) {
        // A header without a page is no conversion; it must not stay behind as if it were one.
        std::error_code ec;
        std::filesystem::remove(para->rtfPath, ec);
        return ResultNoPageWritten;
    }
    return result;
}

int ConversionJob::PageGraphicsPass(int page, GraphicsList& graphics, pagegraphics::PendingDrawings* later) {
    if (!engines_ || !engines_->pageGraphics) return 0;
    graphicsJob_.document = graphicsDocument.get();
    return engines_->pageGraphics(graphicsJob_, page, graphics, RendersDrawingsLater() ? later : nullptr);
}

bool ConversionJob::RendersDrawingsLater() const { return engines_ && engines_->pageDrawings; }

int ConversionJob::PageDrawingsPass(PDFDoc* doc, int page, pagegraphics::PendingDrawings& pending,
                                    GraphicsList& graphics) {
    if (!pending.pending) return pending.result;
    if (!RendersDrawingsLater() || !doc || !doc->isOk()) {
        // The page keeps its drawings as shapes: heavier, but complete.
        pending.pending = false;
        return pending.result;
    }
    return engines_->pageDrawings(graphicsJob_, *doc, page, pending, graphics);
}

std::unique_ptr<PDFDoc> ConversionJob::OpenDrawingPdf() const {
    return OpenCopy(para ? para->password : std::string());
}

int ConversionJob::ImageExtraction(const std::string& password) {
    PDFDoc* doc = OpenGraphicsPdf(&password);
    if (int failure = OpenFailure(doc); failure != ResultDone) {
        graphicsDocument.reset();
        return failure;
    }
    para->lastPage = doc->getNumPages();
    para->FileStarted(para->inputPath, para->outputDir);
    int result = 0;
    for (int n = para->firstPage; para->cancelRequested == 0 && n <= para->lastPage; ++n) {
        para->currentPage = n;
        if (para->pages.Selected(n)) {
            para->Log(PageStartedLine(n));
            para->Progress(Percent(n));
            GraphicsList graphics;
            result = PageGraphicsPass(n, graphics);
            if (result != 0) para->Log("Found problem while filtering graphics for the page.");
        }
    }
    graphicsDocument.reset();
    return result;
}
