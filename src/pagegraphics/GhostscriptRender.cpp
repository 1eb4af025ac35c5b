// Ghostscript as the renderer of cut-out picture pages, kept running for a job.
#include "pagegraphics/GhostscriptRender.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "platform/InteractiveProcess.h"
#include "platform/Process.h"

namespace fs = std::filesystem;

namespace pagegraphics {
namespace {

constexpr const char* kDone = "VELLUMOR-DONE";
constexpr const char* kFailed = "VELLUMOR-FAILED ";
constexpr const char* kPaper = "VELLUMOR-PAPER ";
constexpr const char* kAnswer = "VELLUMOR-";

std::string Hex(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string hex = "<";
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex + ">";
}

// The line that names the PostScript error ("Error: /rangecheck in --image--"),
// else the first line Ghostscript wrote, as ": ..."; empty when it said nothing.
std::string ErrorLine(const platform::InteractiveProcess& gs) {
    std::string all = gs.Output() + "\n" + gs.Errors();
    size_t at = all.find("Error: ");
    if (at == std::string::npos) at = all.find_first_not_of("\n");
    if (at == std::string::npos) return {};
    std::string line = all.substr(at, all.find('\n', at) - at);
    if (line.size() > 200) line = line.substr(0, 200) + "...";
    return ": " + line;
}

}  // namespace

bool GhostscriptAvailable() { return platform::ProgramOnPath(kGhostscript); }

std::string RenderRequest(const std::string& imagePath, const std::string& psPath, const std::string& paperSize) {
    std::string output;
    for (char c : imagePath) {
        output += c;
        if (c == '%') output += '%';
    }
    // Everything inside "stopped": any error, even one in opening the output, is
    // answered, and the interpreter lives on. The start-up paper comes back first,
    // because a picture page changes the paper only when its own differs from it.
    return "{ << /OutputFile " + Hex(output) + " /PageSize " + paperSize + " >> setpagedevice " + Hex(psPath) +
           " run } stopped { (" + kFailed +
           "Error: /) print $error /errorname get =only ( in ) print $error /command get ==only (\\n) print } { (" +
           kDone + "\\n) print } ifelse flush\n";
}

GhostscriptRenderer::GhostscriptRenderer(const std::string& device, const std::string& workspace)
    : device_(device) {
    std::error_code ec;
    workspace_ = fs::absolute(workspace, ec).string();
}

GhostscriptRenderer::~GhostscriptRenderer() = default;

std::vector<std::string> GhostscriptRenderer::Arguments() const {
    // No file and no -dBATCH: Ghostscript then reads its requests from standard
    // input line by line and answers each at once. Outputs named later are not
    // permitted by themselves as -sOutputFile is: the workspace is, for both,
    // with "*" for its page folders (a bare "/" permits the folder's own files only).
    return {kGhostscript,
            "-sDEVICE=" + device_,
            "-dNOPROMPT",
            "-dNOPAUSE",
            "-q",
            "-sOutputFile=/dev/null",
            "--permit-file-read=" + workspace_ + "/*",
            "--permit-file-write=" + workspace_ + "/*"};
}

bool GhostscriptRenderer::Start(int limit, const std::atomic<int32_t>* stop, std::string& reason) {
    gs_ = std::make_unique<platform::InteractiveProcess>();
    if (!gs_->Start(Arguments())) {
        gs_.reset();
        reason = "Ghostscript (gs) could not be started: is it installed and on the PATH?";
        return false;
    }
    gs_->Send(std::string("(") + kPaper + ") print currentpagedevice /PageSize get ==only (\\n) print flush\n");
    std::string answer;
    const Answer got = gs_->WaitForLine(kAnswer, answer, limit, stop);
    paperSize_ = got == Answer::Line && answer.rfind(kPaper, 0) == 0 ? answer.substr(std::strlen(kPaper)) : "";
    // Only numbers go back into a request.
    if (!paperSize_.empty() && paperSize_.find_first_not_of("[]0123456789.-e ") == std::string::npos) return true;
    reason = Failure(got, answer, limit);
    return false;
}

std::string GhostscriptRenderer::Failure(Answer got, const std::string& answer, int limit) {
    gs_->End();
    const int status = gs_->Status();
    std::string reason;
    if (got == Answer::Stopped)
        reason = "Ghostscript was stopped: the job was cancelled";
    else if (got == Answer::TimedOut)
        reason = "Ghostscript did not finish within " + std::to_string(limit) + " seconds";
    else if (got == Answer::Line && answer.rfind(kFailed, 0) == 0)
        reason = "Ghostscript failed: " + answer.substr(std::strlen(kFailed));
    else if (got == Answer::Ended && status == 127)
        reason = "Ghostscript (gs) could not be started: is it installed and on the PATH?";
    else if (got == Answer::Ended && status != 0)
        reason = "Ghostscript failed with status " + std::to_string(status) + ErrorLine(*gs_);
    else if (got == Answer::Line && answer != kDone)
        reason = "Ghostscript gave an answer it was not asked for: " + answer.substr(0, 200);
    else
        reason = "Ghostscript wrote no image";
    // The next picture gets a fresh interpreter: nothing of a failed page lives on.
    gs_.reset();
    return reason;
}

bool GhostscriptRenderer::RenderImage(const std::string& imagePath, const std::string& psPath, std::string& reason,
                                      const std::atomic<int32_t>* stop) {
    std::error_code ec;
    fs::remove(imagePath, ec);
    const std::string output = fs::absolute(imagePath, ec).string();
    const std::string input = fs::absolute(psPath, ec).string();
    const int fileLimit = platform::TimeLimitSeconds("VELLUMOR_GS_FILE_TIME_LIMIT", kFileRenderTimeLimitSeconds);
    const int left = fileLimit - static_cast<int>(spentSeconds_);
    if (left <= 0) {
        reason = "Ghostscript's time for this file (" + std::to_string(fileLimit) +
                 " seconds, VELLUMOR_GS_FILE_TIME_LIMIT) ran out";
        return false;
    }
    const int limit =
        std::min(platform::TimeLimitSeconds("VELLUMOR_GS_TIME_LIMIT", kRenderTimeLimitSeconds), left);
    const auto started = std::chrono::steady_clock::now();
    struct Spent {
        double& total;
        std::chrono::steady_clock::time_point from;
        ~Spent() { total += std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count(); }
    } spent{spentSeconds_, started};
    if (!gs_ && !Start(limit, stop, reason)) return false;
    // A program that no longer reads is judged by its answer: its end or its limit.
    gs_->Send(RenderRequest(output, input, paperSize_));
    std::string answer;
    const Answer got = gs_->WaitForLine(kAnswer, answer, limit, stop);
    const bool made = fs::is_regular_file(imagePath, ec) && fs::file_size(imagePath, ec) > 0 && !ec;
    if (got == Answer::Line && answer == kDone && made) return true;
    reason = Failure(got, answer, limit);
    fs::remove(imagePath, ec);
    return false;
}

}  // namespace pagegraphics
