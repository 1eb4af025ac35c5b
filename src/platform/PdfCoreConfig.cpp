#include "platform/PdfCoreConfig.h"

#include <Error.h>
#include <GlobalParams.h>

#include <atomic>
#include <cstdio>

namespace {

// The PDF core's complaints about damaged files ("failed to look up", "bad named
// destination") are nothing a user can act on: they show in the verbose log only.
std::atomic<bool> coreMessagesShown{false};

void ReportCoreError(ErrorCategory, Goffset pos, const char* msg) {
    if (!coreMessagesShown || (globalParams && globalParams->getErrQuiet())) return;
    if (pos >= 0)
        std::fprintf(stderr, "Error (%lld): %s\n", static_cast<long long>(pos), msg);
    else
        std::fprintf(stderr, "Error: %s\n", msg);
}

}  // namespace

namespace pdfcore {

void CreateGlobalParams() {
    globalParams = std::make_unique<GlobalParams>();
    setErrorCallback(ReportCoreError);
}

void DeleteGlobalParams() { globalParams.reset(); }

void ShowCoreMessages(bool shown) { coreMessagesShown = shown; }

bool HaveGlobalParams() { return globalParams != nullptr; }

void ApplyExtractionSettings() {
    if (!globalParams) return;
    globalParams->setErrQuiet(false);
    globalParams->setTextEncoding("Latin1");
}

}  // namespace pdfcore
