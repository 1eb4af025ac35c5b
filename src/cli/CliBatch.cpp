#include "cli/CliBatch.h"

#include <unistd.h>

#include <filesystem>
#include <set>

#include "convert/CConvertDoc.h"
#include "convert/CRtf2Doc.h"

namespace fs = std::filesystem;

namespace {

// Why a source cannot be converted, or empty when it can. Fills `pages`.
std::string CheckSource(const std::string& path, const CliOptions& o, int& pages) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return "no such file";
    if (fs::is_directory(path, ec)) return "is a folder, not a PDF";
    if (access(path.c_str(), R_OK) != 0) return "cannot be read (permission denied)";
    pages = PageCount(path, nullptr);
    if (pages == -1) {
        if (!o.havePassword) return "encrypted: give its password with --password";
        pages = PageCount(path, &o.password);
        if (pages <= 0) return "encrypted: wrong password";
    }
    if (pages <= 0) return "unreadable or not a PDF";
    return {};
}

std::string CheckOutputDir(const std::string& dir) {
    std::error_code ec;
    if (!fs::exists(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec) return "cannot create the output folder " + dir + ": " + ec.message();
    }
    if (!fs::is_directory(dir, ec)) return "the output folder " + dir + " is not a folder";
    if (access(dir.c_str(), W_OK | X_OK) != 0) return "the output folder " + dir + " is not writable";
    return {};
}

bool AnyListedPageIn(const CConvertPara& para, int pages) {
    for (int32_t p : para.pageList)
        if (p >= 1 && p <= pages) return true;
    return false;
}

std::string ResultReason(const CConvertPara& para) {
    switch (para.jobResult) {
    case ResultCannotOpen:
        return "could not be read back after text extraction";
    case ResultCannotWrite:
        return "cannot write " + para.rtfPath;
    case ResultPageFailed:
        return "conversion failed on page " + std::to_string(para.currentPage);
    default:
        return "no result was written";
    }
}

// Why an image job failed: the source, or its pictures.
std::string ImageJobProblem(const CConvertPara& para) {
    if (para.jobResult == ResultCannotOpen) return "could not be opened";
    const PictureTally& t = para.pictures;
    std::string total = std::to_string(t.failed + t.rendered);
    return std::to_string(t.failed) + " of " + total + " pictures could not be made; " + t.firstProblem;
}

// Prints the page folders an image job wrote, or a note when it found no
// pictures; false when the job failed.
bool ReportImageJob(const std::string& file, const CConvertPara& para, TerminalObserver& observer, FILE* out,
                    Verbosity verbosity) {
    const PictureTally& t = para.pictures;
    if (para.jobResult == ResultCannotOpen || t.failed > 0) return false;
    if (verbosity == Verbosity::Quiet) return true;
    observer.ClearBar();
    for (const std::string& folder : t.folders) std::fprintf(out, "%s -> %s\n", file.c_str(), folder.c_str());
    if (t.skewed > 0)
        std::fprintf(out, "%s: %d skewed picture%s left out\n", file.c_str(), t.skewed, t.skewed == 1 ? "" : "s");
    if (t.rendered == 0 && t.skewed == 0)
        std::fprintf(out, "%s: no pictures on the selected pages\n", file.c_str());
    return true;
}

}  // namespace

int RunBatch(const CliOptions& o, MyConvertPara& para, TerminalObserver& observer, FILE* out, FILE* err) {
    const bool imageJob = !o.imageDevice.empty();
    int failures = 0;
    auto fail = [&](const std::string& file, const std::string& reason) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: %s: %s\n", file.c_str(), reason.c_str());
        ++failures;
    };

    if (std::string why = CheckOutputDir(o.outputDir); !why.empty()) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: %s\n", why.c_str());
        return 1;
    }

    para.outputDir = o.outputDir;
    para.jobMode = imageJob ? ModeExtractImages : o.mode;
    para.imageDevice = imageJob ? o.imageDevice : "jpeg";
    para.removeImages = o.removeImages ? 1 : 0;
    para.docOutput = para.wantDoc = (!imageJob && o.doc) ? 1 : 0;
    para.password = o.password;
    para.firstPage = 1;
    if (o.pages.empty()) {
        para.pageFlags = 1;
        para.AllPages = "Yes";
    } else {
        para.pageFlags = 0;
        para.AllPages = o.pages;
        para.ParsePageList(o.pages);
    }
    para.cancelRequested = 0;

    std::set<std::string> resultsWritten;
    for (const std::string& file : o.files) {
        if (para.cancelRequested) break;
        int pages = 0;
        if (std::string why = CheckSource(file, o, pages); !why.empty()) {
            fail(file, why);
            continue;
        }
        if (!(para.pageFlags & 1) && !AnyListedPageIn(para, pages)) {
            fail(file, "the page list selects none of its " + std::to_string(pages) + " pages");
            continue;
        }
        const std::string base = BaseNameOf(file);
        const std::string stem = o.outputDir + (o.outputDir.back() == '/' ? "" : "/") + base;
        const std::string result = imageJob ? stem : stem + (o.doc ? ".doc" : ".rtf");
        // Two sources of one name would write one result; keep the first.
        if (!resultsWritten.insert(result).second) {
            fail(file, "its result " + result + " would replace that of an earlier file of this run");
            continue;
        }

        observer.BeginFile(file);
        para.inputPath = file;
        para.xmlCopyPath = o.keepXml && !imageJob ? stem + ".xml" : std::string();
        para.lastPage = -1;
        std::error_code ec;
        // Judged by existence: an old result must not pass for a new one. An
        // image job is judged by what it reports, and removes nothing of the user's.
        if (!imageJob) fs::remove(result, ec);
        ConvertFile(para);

        if (para.cancelRequested) {
            observer.ClearBar();
            break;
        }
        if (imageJob) {
            if (ReportImageJob(file, para, observer, out, o.verbosity)) para.FileFinished(file, result);
            else fail(file, ImageJobProblem(para));
            continue;
        }
        if (!fs::exists(para.rtfPath, ec)) {
            fail(file, ResultReason(para));
            continue;
        }
        if (o.doc) {
            CRtf2Doc word;
            if (!word.Convert(para.rtfPath, result)) {
                fail(file, CRtf2Doc::MissingMessage());
                continue;  // the RTF stays: it is all the user has
            }
            if (!fs::exists(result, ec)) {
                fail(file, "LibreOffice could not save it as DOC; the RTF " + para.rtfPath + " is kept");
                continue;
            }
            fs::remove(para.rtfPath, ec);
        }
        if (para.jobResult != ResultDone) {
            fail(file, ResultReason(para) + " (a partial result was written to " + result + ")");
            continue;
        }
        para.FileFinished(file, result);
        if (o.verbosity != Verbosity::Quiet) std::fprintf(out, "%s -> %s\n", file.c_str(), result.c_str());
    }
    if (para.cancelRequested) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: cancelled\n");
        return 130;
    }
    return failures ? 1 : 0;
}
