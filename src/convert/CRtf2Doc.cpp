#include "convert/CRtf2Doc.h"

#include <filesystem>

#include "platform/Process.h"
#include "platform/Workspace.h"

namespace fs = std::filesystem;

namespace {

// A word processor that hangs (a dialog nobody sees, a damaged profile) is ended here.
constexpr int kOfficeTimeLimitSeconds = 300;

// LibreOffice's export filter for each result format.
const char* FilterFor(const std::string& extension) {
    if (extension == ".doc") return "doc:MS Word 97";
    if (extension == ".docx") return "docx:MS Word 2007 XML";
    if (extension == ".odt") return "odt:writer8";
    return nullptr;
}

}  // namespace

const char* CRtf2Doc::MissingMessage() {
    return "DOC, DOCX and ODT output need LibreOffice: install the writer (soffice) or choose RTF";
}

int CRtf2Doc::Convert(const std::string& rtfPath, const std::string& destinationPath,
                      const std::atomic<int32_t>* stop) {
    const std::string extension = fs::path(destinationPath).extension().string();
    const char* filter = FilterFor(extension);
    if (!filter || !platform::ProgramOnPath("soffice")) return 0;
    // A private profile and output folder: a running LibreOffice of the user's
    // must neither take the job over nor lock us out.
    std::string work = platform::CreateWorkspace();
    if (work.empty()) return 0;
    const std::string profile = "file://" + work + "/profile";
    const int limit = platform::TimeLimitSeconds("VELLUMOR_OFFICE_TIME_LIMIT", kOfficeTimeLimitSeconds);
    // Its own temporary files go into the workspace too, and with it after a cancel.
    platform::ProcessResult r =
        platform::RunProcess({"env", "TMPDIR=" + work, "soffice", "-env:UserInstallation=" + profile, "--headless",
                              "--convert-to", filter, "--outdir", work, rtfPath},
                             {}, limit, stop);
    problem.clear();
    if (r.stopped) problem = "LibreOffice was stopped: the job was cancelled";
    else if (r.timedOut) problem = "LibreOffice did not finish within " + std::to_string(limit) + " seconds";
    else if (r.started() && r.status != 0) problem = "LibreOffice failed with status " + std::to_string(r.status);
    fs::path produced = fs::path(work) / (fs::path(rtfPath).stem().string() + extension);
    std::error_code ec;
    if (!r.timedOut && !r.stopped && fs::exists(produced, ec)) {
        // The word processor does not always notice a full disk: what it wrote is
        // read back before it may replace anything.
        if (std::string why = DocumentProblem(produced.string(), extension); !why.empty()) {
            problem = "LibreOffice wrote an incomplete " + extension.substr(1) + " (" +
                      std::to_string(fs::file_size(produced, ec)) + " bytes): " + why;
        } else if (!fs::copy_file(produced, destinationPath, fs::copy_options::overwrite_existing, ec) ||
                   DocumentProblem(destinationPath, extension) != "") {
            problem = "cannot write " + destinationPath + (ec ? ": " + ec.message() : std::string());
            fs::remove(destinationPath, ec);
        }
    }
    platform::RemoveWorkspace(work);
    return r.started() ? 1 : 0;
}
