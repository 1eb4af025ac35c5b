#pragma once
// One conversion job: its workspace, the opened PDF and the passes over its pages.
#include <memory>
#include <string>

#include "convert/CConvertPara.h"
#include "convert/ConvertEngines.h"
#include "convert/PageRecognition.h"
#include "pagegraphics/PageGraphicsJob.h"
#include "rtf/GraphicsList.h"

class GraphicsAhead;
class PDFDoc;

namespace platform {
class MappedFile;
}

class ConversionJob {
public:
    // A job for the record: makes the workspace and copies the source into it.
    ConversionJob(CConvertPara& para, const ConvertEngines& engines);
    // The page-count query's job: works on the file in place, creates nothing.
    explicit ConversionJob(const std::string& path);
    ~ConversionJob();
    ConversionJob(const ConversionJob&) = delete;
    ConversionJob& operator=(const ConversionJob&) = delete;

    // False when the workspace could not be made or the source not copied.
    bool Ready() const { return ready_; }

    int TextPass();
    // Starts recording the page graphics of the selected pages beside the
    // passes (see GraphicsAhead); RtfBuild(true) starts it if nobody did.
    void StartPageGraphics();
    // Stops the recording and waits for it: before the PDF core is shut down.
    void StopPageGraphics();
    int RtfBuild(bool withGraphics);
    int ImageExtraction(const std::string& password);
    // Records the graphics of `page` into `graphics` with the job's page-graphics engine;
    // with `later`, the engine may leave the page's drawings for PageDrawingsPass.
    int PageGraphicsPass(int page, GraphicsList& graphics, pagegraphics::PendingDrawings* later = nullptr);
    // Whether PageGraphicsPass may leave drawings for later.
    bool RendersDrawingsLater() const;
    // Renders the drawings PageGraphicsPass left, from `doc`: a copy of the PDF
    // (OpenDrawingPdf) of the calling thread alone. Without one they stay shapes.
    int PageDrawingsPass(PDFDoc* doc, int page, pagegraphics::PendingDrawings& pending, GraphicsList& graphics);
    std::unique_ptr<PDFDoc> OpenDrawingPdf() const;
    int PageCountFor(const std::string& password);
    int PageCountQuery(const std::string* password);

    // Opens the PDF (closing one still open) with `password`, or the record's
    // password when none is given. The result may be invalid (see OpenFailure).
    PDFDoc* OpenPdf(const std::string* password = nullptr);
    void ClosePdf();
    // The same into graphicsDocument.
    PDFDoc* OpenGraphicsPdf(const std::string* password = nullptr);

    CConvertPara* para = nullptr;
    std::unique_ptr<PDFDoc> document;
    // The page-graphics pass's own copy of the PDF: it changes it (its fonts),
    // and it may run beside the text pass.
    std::unique_ptr<PDFDoc> graphicsDocument;
    std::string workDir;
    std::string baseName;

private:
    std::string PdfPath() const;
    // The job's copy of the PDF, through its mapping when it has one.
    std::unique_ptr<PDFDoc> OpenCopy(const std::string& password) const;
    int Percent(int page) const;

    const ConvertEngines* engines_ = nullptr;
    // The job as its page-graphics passes see it; the passes of a text job run on
    // the thread of GraphicsAhead, those of an image job on the job's own.
    pagegraphics::PageGraphicsJob graphicsJob_;
    std::unique_ptr<GraphicsAhead> graphicsAhead_;
    // Pages the text pass read from their scan, for the RTF build.
    RecognisedScans scans_;
    std::string queryPath_;  // the queried file itself, for the page-count query
    // The private copy mapped once for every pass; never the queried file, which
    // its owner may change while it is read.
    std::shared_ptr<const platform::MappedFile> mappedCopy_;
    bool ownsWorkspace_ = false;
    bool ready_ = false;
};

// Runs one job as the record describes with these engines; its result, also left
// in para.jobResult: 0 (ResultDone) when it was done, else why it failed.
int ConvertFile(CConvertPara& para, const ConvertEngines& engines);

// Pages of a PDF: 0 when it cannot be opened, -1 when it is encrypted and no
// password was given (0 for a wrong password).
int PageCount(const std::string& path, const std::string* password);

// "D:20240102030405..." -> "2024-01-02T03:04:05+00:00"; other text is passed on (without "D:").
std::string ConvertPdfDate(const std::string& date);

// Base name of a path: after the last "/", before the last "."; the whole name when it has none.
std::string BaseNameOf(const std::string& path);
