// Text recognition of scanned pages, in seconds per page: the recognition
// itself (a 300-dpi page through Tesseract's API, as a conversion runs it) and
// the whole conversion of the scan, beside the tesseract command on the same
// images, and OCRmyPDF on the same scan where it is installed.
//
//   bench_recognition [PAGES]     a scan of PAGES pages of prose (default 4)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/TextRecognition.h"
#include "support/ChildUsage.h"
#include "support/PdfWriter.h"
#include "support/ScannedPages.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDpi = 300;

const char* kSentences[] = {
    "The committee met on Thursday to review the budget for the coming year.",
    "Several members asked whether the new library could open before winter.",
    "The treasurer explained that the costs of heating had risen sharply.",
    "A report on the state of the roads was read and accepted without change.",
    "Children from the village school presented a small exhibition of drawings.",
    "The chairman thanked everyone for their patience during the long meeting.",
};

testpdf::PdfWriter Prose(int pages) {
    testpdf::PdfWriter pdf;
    int next = 0;
    for (int p = 0; p < pages; ++p) {
        std::string content;
        for (int line = 0; line < 36; ++line)
            content += testpdf::TextLine(kSentences[next++ % std::size(kSentences)], 72, 720 - line * 18, 11, "F2");
        pdf.AddPage(content);
    }
    return pdf;
}

double CpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

double WallNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int main(int argc, char** argv) {
    testpdf::ChildLauncher launcher;  // forked while this process is small: see ChildLauncher
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    if (!platform::MissingOcrLanguage("eng").empty()) {
        std::printf("recognition: no English OCR data installed, nothing measured\n");
        return 0;
    }
    testpdf::TempDir dir;
    Prose(pages).Save(dir / "prose.pdf");
    std::vector<testpdf::GreyPage> scans;
    for (int p = 1; p <= pages; ++p) {
        scans.push_back(testpdf::Scanned(testpdf::Rasterised(dir / "prose.pdf", dir / "raster", kDpi, p), 0.5, true));
        testpdf::SavePgm(scans.back(), dir / ("page" + std::to_string(p) + ".pgm"));
    }
    testpdf::SaveScan(scans, kDpi, dir / "scan.pdf");
    std::printf("a scan of %d pages of prose at %d dpi, turned 0.5 degrees, with dust\n", pages, kDpi);
    std::printf("  %-34s %12s %12s\n", "", "CPU s/page", "wall s/page");

    // The recognition as a conversion runs it: one recognizer for the job's pages.
    {
        platform::TextRecognizer recognizer("eng");
        const double cpu = CpuNow(), wall = WallNow();
        size_t words = 0;
        for (const testpdf::GreyPage& page : scans) {
            platform::GreyImage image;
            image.data = reinterpret_cast<const unsigned char*>(page.pixels.data());
            image.width = page.width;
            image.height = page.height;
            image.stride = static_cast<size_t>(page.width);
            image.dpi = kDpi;
            words += recognizer.Recognise(image).words.size();
        }
        std::printf("  %-34s %12.2f %12.2f   (%zu words)\n", "recognition (Tesseract's API)",
                    (CpuNow() - cpu) / pages, (WallNow() - wall) / pages, words);
    }

    auto measure = [&](const char* name, const std::vector<std::vector<std::string>>& runs) {
        double cpu = 0;
        const double wall = WallNow();
        for (const auto& run : runs) {
            testpdf::ChildUsage usage = launcher.Run(run);
            if (usage.status != 0) {
                std::printf("  %-34s failed (status %d)\n", name, usage.status);
                return;
            }
            cpu += usage.cpuSeconds;
        }
        std::printf("  %-34s %12.2f %12.2f\n", name, cpu / pages, (WallNow() - wall) / pages);
    };
    std::vector<std::vector<std::string>> tesseract;
    for (int p = 1; p <= pages; ++p)
        tesseract.push_back({"tesseract", dir / ("page" + std::to_string(p) + ".pgm"), dir / "out", "-l", "eng"});
    if (platform::ProgramOnPath("tesseract")) measure("tesseract command, page by page", tesseract);
    else std::printf("  tesseract command: not installed\n");

    const std::string convert = (fs::path(argv[0]).parent_path() / "vellumor-convert").string();
    measure("whole conversion, flowing", {{convert, "-q", "-m", "flowing", "-o", dir.path(), dir / "scan.pdf"}});
    measure("whole conversion, as is", {{convert, "-q", "-m", "asis", "-o", dir.path(), dir / "scan.pdf"}});
    if (platform::ProgramOnPath("ocrmypdf"))
        measure("ocrmypdf", {{"ocrmypdf", "-q", dir / "scan.pdf", dir / "ocrmypdf.pdf"}});
    else std::printf("  ocrmypdf: not installed\n");
    return 0;
}
