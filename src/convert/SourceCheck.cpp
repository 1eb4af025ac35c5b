// The checks made before a file of a batch is handed to the driver, so that each
// failure is named in the user's words instead of surfacing as a missing result.
#include <unistd.h>

#include <filesystem>

#include "convert/CConvertWorker.h"
#include "convert/ConversionJob.h"

namespace fs = std::filesystem;

std::string CheckSource(const BatchFile& file, int& pages) {
    const std::string& path = file.path;
    std::error_code ec;
    if (!fs::exists(path, ec)) return "no such file";
    if (fs::is_directory(path, ec)) return "is a folder, not a PDF";
    if (access(path.c_str(), R_OK) != 0) return "cannot be read (permission denied)";
    const bool havePassword = !file.password.empty();
    // With a password the file is tried with it first, so that a right password
    // does not draw the core's complaint about a missing one.
    if (havePassword) {
        pages = PageCount(path, &file.password);
        if (pages > 0) return {};
    }
    pages = PageCount(path, nullptr);
    if (pages == -1) return havePassword ? "encrypted: wrong password" : "encrypted: give its password";
    if (pages <= 0) return "unreadable or not a PDF";
    return {};
}

std::string CheckOutputDir(const std::string& dir) {
    std::error_code ec;
    if (dir.empty()) return "no output folder was given";
    if (!fs::exists(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec) return "cannot create the output folder " + dir + ": " + ec.message();
    }
    if (!fs::is_directory(dir, ec)) return "the output folder " + dir + " is not a folder";
    if (access(dir.c_str(), W_OK | X_OK) != 0) return "the output folder " + dir + " is not writable";
    return {};
}

std::string JobResultReason(const CConvertPara& para) {
    switch (para.jobResult) {
    case ResultCannotOpen:
        return "unreadable: it could not be opened or read back after text extraction";
    case ResultWrongPassword:
        return "encrypted: wrong password";
    case ResultNoWorkspace:
        return para.workspaceProblem;
    case ResultNoPageWritten:
        return "none of the selected pages could be converted; no result was written";
    case ResultCannotWrite:
        return "cannot write the result into " + para.outputDir + " (the disk may be full)";
    case ResultPageFailed:
        return "conversion failed on page " + std::to_string(para.currentPage);
    default:
        return "no result was written";
    }
}

std::string ImageJobProblem(const CConvertPara& para) {
    if (para.jobResult == ResultCannotOpen || para.jobResult == ResultWrongPassword) return JobResultReason(para);
    const pagegraphics::PictureTally& t = para.pictures;
    if (t.failed == 0) return {};
    return std::to_string(t.failed) + " of " + std::to_string(t.failed + t.rendered) +
           " pictures could not be made; " + t.firstProblem;
}
