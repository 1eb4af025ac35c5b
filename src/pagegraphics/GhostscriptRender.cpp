// Ghostscript as the renderer of cut-out picture pages.
#include "pagegraphics/GhostscriptRender.h"

#include <filesystem>

#include "pagegraphics/ImageDevices.h"
#include "platform/Process.h"

namespace fs = std::filesystem;

namespace pagegraphics {

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
                 std::string& reason) {
    std::error_code ec;
    fs::remove(imagePath, ec);
    platform::ProcessResult run =
        platform::RunProcess(GhostscriptArguments(device, imagePath, psPath), {}, kRenderTimeLimitSeconds);
    bool made = fs::is_regular_file(imagePath, ec) && fs::file_size(imagePath, ec) > 0 && !ec;
    if (run.started() && run.status == 0 && !run.timedOut && made) return true;

    fs::remove(imagePath, ec);
    if (!run.started() || run.status == 127)
        reason = "Ghostscript (gs) could not be started: is it installed and on the PATH?";
    else if (run.timedOut)
        reason = "Ghostscript did not finish within " + std::to_string(kRenderTimeLimitSeconds) + " seconds";
    else if (run.status != 0) {
        std::string said = run.errors.empty() ? run.output : run.errors;
        if (said.size() > 200) said = said.substr(0, 200) + "...";
        while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
        reason = "Ghostscript failed with status " + std::to_string(run.status) + (said.empty() ? "" : ": " + said);
    } else
        reason = "Ghostscript wrote no image";
    return false;
}

}  // namespace pagegraphics
