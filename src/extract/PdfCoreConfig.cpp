#include "extract/PdfCoreConfig.h"

#include <Error.h>
#include <GlobalParams.h>

#include <cstdio>

namespace {

void ReportCoreError(ErrorCategory, Goffset pos, const char* msg) {
    if (globalParams && globalParams->getErrQuiet()) return;
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

bool HaveGlobalParams() { return globalParams != nullptr; }

void ApplyExtractionSettings() {
    if (!globalParams) return;
    globalParams->setErrQuiet(false);
    globalParams->setTextEncoding("Latin1");
}

}  // namespace pdfcore
