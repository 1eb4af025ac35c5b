// Ghostscript as the renderer of cut-out picture pages.
#include "pagegraphics/GhostscriptRender.h"

#include <filesystem>

#include "pagegraphics/ImageDevices.h"
#include "platform/Process.h"

namespace fs = std::filesystem;

namespace pagegraphics {
namespace {

// The line that names the PostScript error ("Error: /rangecheck in --image--"),
// else the first line Ghostscript wrote, as ": ..."; empty when it said nothing.
std::string ErrorLine(const platform::ProcessResult& run) {
    std::string all = run.output + "\n" + run.errors;
    size_t at = all.find("Error: ");
    if (at == std::string::npos) at = all.find_first_not_of("\n");
    if (at == std::string::npos) return {};
    std::string line = all.substr(at, all.find('\n', at) - at);
    if (line.size() > 200) line = line.substr(0, 200) + "...";
    return ": " + line;
}

}  // namespace

std::string ExtensionOfDevice(const std::string& device) {
    const ImageDevice* d = FindImageDevice(device);
    return d ? d->extension : "jpeg";
}

std::vector<std::string> GhostscriptArguments(const std::string& device, const std::string& imagePath,
                                              const std::string& psPath) {
    std::string output;
    for (char c : imagePath) {
        output += c;
        if (c == '%') output += '%';
    }
    return {kGhostscript, "-sDEVICE=" + device, "-dBATCH", "-dNOPROMPT", "-dNOPAUSE",
            "-sOutputFile=" + output, "-q", psPath};
}

bool GhostscriptAvailable() { return platform::ProgramOnPath(kGhostscript); }

bool RenderImage(const std::string& device, const std::string& imagePath, const std::string& psPath,
                 std::string& reason, const std::atomic<int32_t>* stop) {
    std::error_code ec;
    fs::remove(imagePath, ec);
    // Absolute paths: a name that starts with '-' or '|' could otherwise read as an option or a pipe.
    const std::string output = fs::absolute(imagePath, ec).string();
    const std::string input = fs::absolute(psPath, ec).string();
    const int limit = platform::TimeLimitSeconds("VELLUMOR_GS_TIME_LIMIT", kRenderTimeLimitSeconds);
    platform::ProcessResult run = platform::RunProcess(GhostscriptArguments(device, output, input), {}, limit, stop);
    bool made = fs::is_regular_file(imagePath, ec) && fs::file_size(imagePath, ec) > 0 && !ec;
    if (run.started() && run.status == 0 && !run.timedOut && made) return true;

    fs::remove(imagePath, ec);
    if (!run.started() || run.status == 127)
        reason = "Ghostscript (gs) could not be started: is it installed and on the PATH?";
    else if (run.stopped)
        reason = "Ghostscript was stopped: the job was cancelled";
    else if (run.timedOut)
        reason = "Ghostscript did not finish within " + std::to_string(limit) + " seconds";
    else if (run.status != 0)
        reason = "Ghostscript failed with status " + std::to_string(run.status) + ErrorLine(run);
    else
        reason = "Ghostscript wrote no image";
    return false;
}

}  // namespace pagegraphics
