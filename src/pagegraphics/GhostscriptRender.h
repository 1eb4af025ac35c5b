#pragma once
// Rendering one cut-out PostScript page into an image file with Ghostscript
// ("gs" on the PATH), with the output device of the chosen format.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace pagegraphics {

inline constexpr const char* kGhostscript = "gs";
// A picture page renders in well under a second; a hung interpreter is killed then.
inline constexpr int kRenderTimeLimitSeconds = 120;

// Extension of the files a Ghostscript device writes: "bmp16m" gives "bmp",
// "png16m" "png", "tiff24nc" "tiff", "pcx24b" "pcx", "pbm", "pnm" and "ppm"
// themselves, anything else "jpeg".
std::string ExtensionOfDevice(const std::string& device);

// The argument vector for rendering psPath into imagePath (both absolute).
// Ghostscript reads '%' in an output name as a page-number format: it is doubled.
std::vector<std::string> GhostscriptArguments(const std::string& device, const std::string& imagePath,
                                              const std::string& psPath);

// True when Ghostscript can be started at all.
bool GhostscriptAvailable();

// Renders psPath into imagePath. Success is an exit status of 0 and a file that
// is not empty; otherwise a partial file is removed and `reason` says why.
// A raised `stop` (the job's cancel flag) ends Ghostscript at once.
bool RenderImage(const std::string& device, const std::string& imagePath, const std::string& psPath,
                 std::string& reason, const std::atomic<int32_t>* stop = nullptr);

}  // namespace pagegraphics
