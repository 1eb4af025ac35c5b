// RTF build time per page on the corpus book, for the layouts that write whole
// documents (the default flowing layout among them): the XML is extracted once,
// then read back and written per mode.
#include <PDFDoc.h>
#include <goo/GooString.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "extract/HtmlOutputDev.h"
#include "platform/PdfCoreConfig.h"
#include "platform/Process.h"
#include "app/RtfEngine.h"
#include "support/TempDir.h"

namespace {

double Seconds(const std::function<void()>& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BuildRtf(const std::string& xml, const std::string& rtf, int mode, int pages) {
    auto doc = RtfEngine::Create(xml, rtf);
    if (!doc || !doc->OpenRtf()) return;
    doc->SetLayoutMode(mode);
    for (int n = 1; n <= pages; ++n) {
        doc->ReadPage(n);
        doc->WritePage({.first = n == 1, .last = n == pages});
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string corpus = testpdf::CorpusDir();
    std::string path = argc > 1 ? argv[1] : corpus + "/GeoTopo-komprimiert.pdf";
    if (!std::filesystem::exists(path)) {
        std::printf("rtfbuild: %s not found, nothing measured\n", path.c_str());
        return 0;
    }
    testpdf::TempDir dir;
    pdfcore::CreateGlobalParams();
    pdfcore::ApplyExtractionSettings();
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;
    int pages = 0;
    {
        PDFDoc doc(std::make_unique<GooString>(path));
        pages = doc.getNumPages();
        HtmlOutputDev dev((dir / "book").c_str(), "", "", "", "", true);
        doc.displayPages(&dev, 1, pages, 108, 108, 0, false, true, true);
    }
    pdfcore::DeleteGlobalParams();

    const int rounds = 3;
    std::printf("rtfbuild: %s, %d pages, best of %d rounds\n", std::filesystem::path(path).filename().c_str(), pages,
                rounds);
    for (auto [mode, name] : {std::pair{kLayoutFlowing, "FLOWING TEXT"}, std::pair{kLayoutFormatted, "FORMATTED TEXT"},
                              std::pair{kLayoutTextOnly, "TEXT ONLY"}}) {
        double best = 1e9;
        for (int round = 0; round < rounds; ++round)
            best = std::min(best, Seconds([&] { BuildRtf(dir / "book.xml", dir / "book.rtf", mode, pages); }));
        std::printf("  %-15s %8.3f ms/page  (%ju bytes of RTF)\n", name, best * 1000 / std::max(pages, 1),
                    static_cast<uintmax_t>(std::filesystem::file_size(dir / "book.rtf")));
    }

    // The whole conversion in the default layout against the text extraction of poppler-utils.
    double whole = 1e9, reference = 1e9;
    std::filesystem::create_directories(dir / "whole");
    for (int round = 0; round < rounds; ++round) {
        whole = std::min(whole, Seconds([&] {
            MyConvertPara para;
            para.inputPath = path;
            para.outputDir = dir / "whole";
            if (ConvertFile(para) != 0) std::printf("  the conversion failed\n");
        }));
        if (platform::ProgramOnPath("pdftotext"))
            reference = std::min(reference, Seconds([&] {
                platform::RunProcess({"pdftotext", "-q", "-bbox", path, dir / "bbox.html"});
            }));
    }
    std::printf("  whole conversion (FLOWING TEXT) %8.3f s", whole);
    if (reference < 1e9) std::printf(", pdftotext -bbox %8.3f s (%.2f x)", reference, whole / reference);
    std::printf("\n");
    return 0;
}
