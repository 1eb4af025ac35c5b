#pragma once
// Rendering cut-out PostScript pages into image files with Ghostscript ("gs" on
// the PATH), with the output device of the chosen format. One Ghostscript serves
// a whole job: starting it costs ten times what a picture does.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/InteractiveProcess.h"

namespace pagegraphics {

inline constexpr const char* kGhostscript = "gs";
// A picture page renders in well under a second; a hung interpreter is killed then.
inline constexpr int kRenderTimeLimitSeconds = 120;
// All pictures of one file together: many hanging pictures must not hold a file
// for hours (VELLUMOR_GS_FILE_TIME_LIMIT).
inline constexpr int kFileRenderTimeLimitSeconds = 600;

// True when Ghostscript can be started at all.
bool GhostscriptAvailable();

// The line that asks a running Ghostscript to render psPath into imagePath on
// paper of `paperSize` ("[612 792]") first, and to answer with a line starting
// "VELLUMOR-DONE" or "VELLUMOR-FAILED Error: ...". Names travel as hex strings,
// so no file name is ever PostScript; '%' in the output name is doubled, as
// Ghostscript reads it as a page-number format.
std::string RenderRequest(const std::string& imagePath, const std::string& psPath, const std::string& paperSize);

// One Ghostscript with one output device for the length of a job, allowed to read
// and write files in the job's workspace (and its own temp folder) only: it runs
// with SAFER on.
class GhostscriptRenderer {
public:
    GhostscriptRenderer(const std::string& device, const std::string& workspace);
    ~GhostscriptRenderer();

    const std::string& Device() const { return device_; }
    // Renders psPath into imagePath. Success is an answer of success and a file
    // that is not empty; otherwise a partial file is removed and `reason` says why,
    // and the next picture gets a fresh Ghostscript, so nothing of a failed page
    // lives on. A raised `stop` (the job's cancel flag) ends Ghostscript at once.
    bool RenderImage(const std::string& imagePath, const std::string& psPath, std::string& reason,
                     const std::atomic<int32_t>* stop = nullptr);

private:
    using Answer = platform::InteractiveProcess::Answer;
    std::vector<std::string> Arguments() const;
    // Starts Ghostscript and learns the paper it starts with.
    bool Start(int limit, const std::atomic<int32_t>* stop, std::string& reason);
    // Why the request failed; ends this Ghostscript.
    std::string Failure(Answer got, const std::string& answer, int limit);

    std::string device_;
    std::string workspace_;
    std::string paperSize_;  // as Ghostscript wrote it at its start
    std::unique_ptr<platform::InteractiveProcess> gs_;
    // Seconds Ghostscript has worked for this file so far.
    double spentSeconds_ = 0;
};

}  // namespace pagegraphics
