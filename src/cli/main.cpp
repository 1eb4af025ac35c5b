// vellumor-convert: the command-line front of the converter.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "cli/CliBatch.h"
#include "cli/CliOptions.h"
#include "cli/TerminalObserver.h"
#include "platform/PdfCoreConfig.h"
#include "platform/Process.h"

namespace {

MyConvertPara* runningRecord = nullptr;

void RequestCancel(int) {
    // Seen at the next page boundary; the partial result is still closed properly.
    if (runningRecord) runningRecord->cancelRequested = 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (!ParseCommandLine(args, options, error)) {
        std::fprintf(stderr, "vellumor-convert: %s\n%s", error.c_str(), "Try 'vellumor-convert --help'.\n");
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    // A limit that cannot be read is the user's mistake, not a reason to wait for ever or at once.
    for (const char* limit : {"VELLUMOR_GS_TIME_LIMIT", "VELLUMOR_GS_FILE_TIME_LIMIT", "VELLUMOR_OFFICE_TIME_LIMIT"})
        if (std::string why = platform::TimeLimitProblem(limit); !why.empty()) {
            std::fprintf(stderr, "vellumor-convert: %s\nTry 'vellumor-convert --help'.\n", why.c_str());
            return 2;
        }
    pdfcore::ShowCoreMessages(options.verbosity == Verbosity::Verbose);
    static MyConvertPara para;
    runningRecord = &para;
    std::signal(SIGINT, RequestCancel);
    std::signal(SIGTERM, RequestCancel);
    if (options.child) return RunBatchChild(options, para, stdout);
    TerminalObserver observer(options.verbosity, stderr, isatty(STDERR_FILENO));
    para.observer = &observer;
    int status = RunBatch(options, para, observer, stdout, stderr);
    para.observer = nullptr;
    return status;
}
