// Set-up and tear-down of one job, and opening its PDF.
#include <PDFDoc.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "convert/ConversionJob.h"
#include "convert/GraphicsAhead.h"
#include "convert/ImageDevices.h"
#include "convert/PdfOpen.h"
#include "platform/MappedFile.h"
#include "platform/PdfCoreConfig.h"
#include "platform/Workspace.h"

std::string BaseNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

ConversionJob::ConversionJob(CConvertPara& p, const ConvertEngines& engines) : para(&p), engines_(&engines) {
    para->baseName = baseName = BaseNameOf(para->inputPath);
    if (para->outputDir.size() > 1 && para->outputDir.back() == '/') para->outputDir.pop_back();
    if (para->outputDir.empty()) para->outputDir.push_back('.');  // the current folder
    para->rtfPath = (para->rtfDir.empty() ? para->outputDir : para->rtfDir) + "/" + baseName + ".rtf";

    para->workspaceProblem.clear();
    workDir = platform::CreateWorkspace();
    para->workDir = workDir;
    std::error_code ec;
    const std::string temp = std::filesystem::temp_directory_path(ec).string();
    if (workDir.empty()) {
        para->workspaceProblem = "cannot make a workspace in the temp folder " + temp + ": " + std::strerror(errno);
        return;
    }
    ownsWorkspace_ = true;
    graphicsJob_.workDir = workDir;
    graphicsJob_.baseName = baseName;
    graphicsJob_.outputDir = para->outputDir;
    graphicsJob_.imageJob = para->jobMode == ModeExtractImages;
    // Text jobs embed their pictures as JPEG whatever device the record names.
    graphicsJob_.device = graphicsJob_.imageJob ? para->imageDevice : "jpeg";
    graphicsJob_.imageExtension = ExtensionOfDevice(graphicsJob_.device);
    graphicsJob_.removeImages = para->removeImages == 1;
    graphicsJob_.cancel = &para->cancelRequested;
    graphicsJob_.observer = para;
    graphicsJob_.pictures = &para->pictures;
    para->xmlPath = workDir + "/" + baseName + ".xml";
    // The source is never touched: every pass works on the private copy.
    errno = 0;
    ready_ = platform::CopyFileReplacing(para->inputPath, PdfPath());
    if (ready_) mappedCopy_ = platform::MappedFile::Open(PdfPath());
    if (!ready_ && access(para->inputPath.c_str(), R_OK) == 0)
        para->workspaceProblem = "cannot copy it into the temp folder " + temp +
                                 (errno ? std::string(": ") + std::strerror(errno) : std::string(" (the disk may be full)"));
}

ConversionJob::ConversionJob(const std::string& path) : queryPath_(path) {
    std::filesystem::path p(path);
    workDir = p.parent_path().string();
    baseName = BaseNameOf(path);
    ready_ = true;
}

ConversionJob::~ConversionJob() {
    StopPageGraphics();
    ClosePdf();
    graphicsDocument.reset();
    // A renderer may still be writing into the workspace.
    graphicsJob_.EndRenderer();
    if (ownsWorkspace_) platform::RemoveWorkspace(workDir);
}

std::unique_ptr<PDFDoc> ConversionJob::OpenCopy(const std::string& password) const {
    if (mappedCopy_)
        if (std::unique_ptr<PDFDoc> doc = OpenPdfDocument(mappedCopy_, password)) return doc;
    return OpenPdfDocument(PdfPath(), password);
}

std::string ConversionJob::PdfPath() const {
    // The query opens the file it was asked about; a job opens its private copy.
    return queryPath_.empty() ? workDir + "/" + baseName + ".pdf" : queryPath_;
}

PDFDoc* ConversionJob::OpenPdf(const std::string* password) {
    ClosePdf();
    if (!password && para) password = &para->password;
    document = OpenCopy(password ? *password : std::string());
    return document.get();
}

void ConversionJob::ClosePdf() { document.reset(); }

PDFDoc* ConversionJob::OpenGraphicsPdf(const std::string* password) {
    if (!password && para) password = &para->password;
    graphicsDocument = OpenCopy(password ? *password : std::string());
    return graphicsDocument.get();
}

void ConversionJob::StartPageGraphics() {
    if (!graphicsAhead_) graphicsAhead_ = std::make_unique<GraphicsAhead>(*this);
}

void ConversionJob::StopPageGraphics() { graphicsAhead_.reset(); }

int ConversionJob::Percent(int page) const {
    // A one-page range would divide by zero; it is simply complete.
    if (para->lastPage == para->firstPage) return 100;
    return static_cast<int>(static_cast<double>(page) / (para->lastPage - para->firstPage) * 100.0);
}
