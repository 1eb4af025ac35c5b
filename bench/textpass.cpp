// Text-pass time per page on the corpus book, next to the floor: the time the PDF
// core takes to display the same pages on a device that does nothing with them.
#include <OutputDev.h>
#include <PDFDoc.h>
#include <goo/GooString.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "extract/HtmlOutputDev.h"
#include "platform/PdfCoreConfig.h"
#include "support/TempDir.h"

namespace {

// Asks the renderer for exactly what the extraction device asks for, and drops it.
class NullDevice : public OutputDev {
public:
    bool upsideDown() override { return true; }
    bool useDrawChar() override { return true; }
    bool interpretType3Chars() override { return false; }
    bool needNonText() override { return false; }
};

double Seconds(const std::function<void()>& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string corpus = testpdf::CorpusDir();
    std::string path = argc > 1 ? argv[1] : corpus + "/GeoTopo-komprimiert.pdf";
    if (!std::filesystem::exists(path)) {
        std::printf("textpass: %s not found, nothing measured\n", path.c_str());
        return 0;
    }
    const int rounds = 3;
    testpdf::TempDir dir;
    pdfcore::CreateGlobalParams();
    pdfcore::ApplyExtractionSettings();
    // The core reports damaged objects on standard error; that is not what is measured.
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;

    int pages = 0;
    double floorBest = 1e9, passBest = 1e9;
    for (int round = 0; round < rounds; ++round) {
        // A fresh document each time, so neither side profits from the other's caches.
        {
            PDFDoc doc(std::make_unique<GooString>(path));
            pages = doc.getNumPages();
            NullDevice null;
            floorBest = std::min(floorBest, Seconds([&] { doc.displayPages(&null, 1, pages, 108, 108, 0, false, true, true); }));
        }
        {
            PDFDoc doc(std::make_unique<GooString>(path));
            passBest = std::min(passBest, Seconds([&] {
                HtmlOutputDev dev((dir / "book").c_str(), "", "", "", "", true);
                doc.displayPages(&dev, 1, pages, 108, 108, 0, false, true, true);
            }));
        }
    }
    pdfcore::DeleteGlobalParams();
    auto size = std::filesystem::file_size(dir / "book.xml");
    std::printf("textpass: %s, %d pages, best of %d rounds\n", std::filesystem::path(path).filename().c_str(), pages,
                rounds);
    std::printf("  display on a null device: %8.3f ms/page\n", floorBest * 1000 / std::max(pages, 1));
    std::printf("  text pass (XML written):  %8.3f ms/page  (%.2f x the floor, %ju bytes of XML)\n",
                passBest * 1000 / std::max(pages, 1), passBest / floorBest, static_cast<uintmax_t>(size));
    return 0;
}
