// The text pass: every page of the PDF into the intermediate XML.
#include <OutputDev.h>
#include <PDFDoc.h>
#include <goo/GooString.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "convert/ConversionJob.h"
#include "convert/PageRecognition.h"
#include "convert/PdfOpen.h"
#include "platform/DrawingBudget.h"
#include "platform/PdfCoreConfig.h"
#include "platform/Workspace.h"

namespace {

std::string InfoString(PDFDoc& doc, const char* key) {
    std::unique_ptr<GooString> value = doc.getDocInfoStringEntry(key);
    return value ? value->toStr() : std::string();
}

// The XML ends with its closing line only when every line before it was written.
bool XmlComplete(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::string end = "</pdf2xml>\n";
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (size < static_cast<std::streamoff>(end.size())) return false;
    in.seekg(size - static_cast<std::streamoff>(end.size()));
    std::string tail(end.size(), '\0');
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    return in && tail == end;
}

std::string PageCutOffLine(int page) {
    return "page " + std::to_string(page) + " draws more than any real page (endlessly nested forms?); the rest of "
           "its text was left out";
}

}  // namespace

std::string ConvertPdfDate(const std::string& date) {
    std::string s = date.rfind("D:", 0) == 0 ? date.substr(2) : date;
    int v[6];
    if (std::sscanf(s.c_str(), "%4d%2d%2d%2d%2d%2d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) != 6) return s;
    std::tm t{};
    t.tm_year = v[0] - 1900;
    t.tm_mon = v[1] - 1;
    t.tm_mday = v[2];
    t.tm_hour = v[3];
    t.tm_min = v[4];
    t.tm_sec = v[5];
    t.tm_isdst = -1;
    std::mktime(&t);
    char buf[64];
    if (std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S+00:00", &t) == 0) return s;
    return buf;
}

int ConversionJob::TextPass() {
    para->Log("Reading text content from pdf started.");
    TextDeviceSpec spec;

    pdfcore::ApplyExtractionSettings();
    PDFDoc* doc = OpenPdf();
    // An XML without pages would become a result without words that looks like a success.
    if (int failure = OpenFailure(doc); failure != ResultDone) {
        ClosePdf();
        return failure;
    }

    spec.outputName = workDir + "/" + baseName;
    spec.author = InfoString(*doc, "Author");
    spec.keywords = InfoString(*doc, "Keywords");
    spec.subject = InfoString(*doc, "Subject");
    std::string date = InfoString(*doc, "ModDate");
    if (date.empty()) date = InfoString(*doc, "CreationDate");
    spec.date = ConvertPdfDate(date);

    JobPageRecognition recognition(*para, [this] { return OpenCopy(para->password); }, scans_);
    spec.recognition = &recognition;
    bool xmlWritten = false;
    if (engines_->makeTextDevice) {
        std::unique_ptr<OutputDev> device = engines_->makeTextDevice(spec);
        if (device) {
            xmlWritten = true;
            para->lastPage = doc->getNumPages();
            for (int page = 1; page <= para->lastPage && !para->cancelRequested; ++page) {
                // A page of endlessly nested forms must not hold the whole job.
                platform::DrawingBudget budget(&para->cancelRequested);
                recognition.SetPageBudget(&budget);
                doc->displayPage(device.get(), page, 108, 108, 0, false, true, true, &platform::DrawingBudget::Spent,
                                 &budget);
                recognition.SetPageBudget(nullptr);
                if (budget.Exceeded()) para->AddNote(PageCutOffLine(page));
            }
        }
        // Destroying the device completes the XML.
    }
    ClosePdf();
    if (const std::string summary = recognition.Summary(); !summary.empty()) para->AddNote(summary);
    // A full temp folder cuts the XML short: that is no fault of the PDF.
    if (xmlWritten && !XmlComplete(para->xmlPath)) {
        std::error_code ec;
        para->workspaceProblem = "cannot write into the temp folder " +
                                 std::filesystem::temp_directory_path(ec).string() + " (is the disk full?)";
        return ResultNoWorkspace;
    }
    if (!para->xmlCopyPath.empty()) platform::CopyFileReplacing(para->xmlPath, para->xmlCopyPath);
    return ResultDone;
}
