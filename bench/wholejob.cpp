// The whole conversion, layout by layout, against the PDF core's own word-box
// extraction (pdftotext -bbox) of the same file: seconds per page of the text
// pass, the RTF build and the whole job, and the job's ratio to pdftotext.
//
//   bench_wholejob [PDF...]            the corpus book and a 50-page word-by-word document
//   bench_wholejob --words PAGES OUT   only writes the word-by-word document (memory runs)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "platform/PdfCoreConfig.h"
#include "platform/Process.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

double Seconds(const std::function<void()>& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every word drawn by its own text operation, as some producers do: the extraction
// has to join them all again.
testpdf::PdfWriter WordByWord(int pages) {
    static const char* words[] = {"the",   "converter", "places", "every", "word",  "on",     "its",  "own",
                                  "line",  "segment",   "while",  "text",  "flows", "across", "page", "columns",
                                  "with",  "numbers",   "like",   "1998",  "and",   "3.14",   "in",   "between"};
    testpdf::PdfWriter w;
    unsigned next = 0;
    for (int p = 0; p < pages; ++p) {
        std::string content;
        for (int line = 0; line < 44; ++line) {
            double x = 56;
            const double y = 740 - line * 15.5;
            for (int i = 0; i < 8; ++i) {
                std::string word = words[next++ % (sizeof words / sizeof *words)];
                content += testpdf::TextLine(word, x, y, 10, p % 2 ? "F2" : "F1");
                x += 10 * 0.5 * static_cast<double>(word.size()) + 9 + (next % 3);
            }
        }
        w.AddPage(content);
    }
    return w;
}

struct Times {
    double textPass = 0, rtfBuild = 0, whole = 0;
};

Times Convert(const std::string& pdf, int mode, const std::string& out) {
    MyConvertPara para;
    para.inputPath = pdf;
    para.outputDir = out;
    para.jobMode = mode;
    Times t;
    t.whole = Seconds([&] {
        ConversionJob job(para, DefaultEngines());
        if (!job.Ready()) return;
        pdfcore::CreateGlobalParams();
        int result = 0;
        const bool graphics = mode == ModeFlowingText || mode == ModeAsIs;
        // As a conversion does: the page graphics are recorded beside the text pass.
        if (graphics) job.StartPageGraphics();
        t.textPass = Seconds([&] { result = job.TextPass(); });
        if (result == ResultDone) t.rtfBuild = Seconds([&] { job.RtfBuild(graphics); });
        job.StopPageGraphics();
        pdfcore::DeleteGlobalParams();
    });
    return t;
}

int PageCount(const std::string& pdf) {
    platform::ProcessResult r = platform::RunProcess({"pdfinfo", pdf});
    size_t at = r.output.find("Pages:");
    return at == std::string::npos ? 0 : std::atoi(r.output.c_str() + at + 6);
}

void Measure(const std::string& pdf, const std::string& scratch) {
    const int pages = PageCount(pdf);
    if (pages <= 0) {
        std::printf("%s: cannot be read, nothing measured\n", pdf.c_str());
        return;
    }
    // pdftotext runs in the same rounds as each layout, so that a busy spell of
    // the machine weighs on both sides of the ratio alike.
    const int rounds = 5;
    auto bboxTime = [&] {
        return Seconds([&] { platform::RunProcess({"pdftotext", "-bbox", pdf, scratch + "/bbox.html"}); });
    };
    std::printf("%s, %d pages (best of %d rounds)\n", fs::path(pdf).filename().c_str(), pages, rounds);
    std::printf("  %-10s %12s %12s %12s %14s %8s\n", "layout", "text pass", "RTF build", "whole job", "pdftotext",
                "ratio");
    const std::pair<int, const char*> layouts[] = {
        {ModeFlowingText, "flowing"}, {ModeAsIs, "asis"}, {ModeFormattedText, "formatted"}, {ModeTextOnly, "text"}};
    for (const auto& [mode, name] : layouts) {
        Times best{1e9, 1e9, 1e9};
        double bbox = 1e9;
        for (int round = 0; round < rounds; ++round) {
            bbox = std::min(bbox, bboxTime());
            Times t = Convert(pdf, mode, scratch);
            best.textPass = std::min(best.textPass, t.textPass);
            best.rtfBuild = std::min(best.rtfBuild, t.rtfBuild);
            best.whole = std::min(best.whole, t.whole);
        }
        std::printf("  %-10s %9.2f ms %9.2f ms %9.2f ms %11.2f ms %7.2fx\n", name, best.textPass * 1000 / pages,
                    best.rtfBuild * 1000 / pages, best.whole * 1000 / pages, bbox * 1000 / pages, best.whole / bbox);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--words") {
        return WordByWord(std::atoi(argv[2])).Save(argv[3]) ? 0 : 1;
    }
    if (!platform::ProgramOnPath("pdftotext")) {
        std::printf("wholejob: pdftotext is not installed, nothing measured\n");
        return 0;
    }
    // The core reports damaged objects on standard error; that is not what is measured.
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;
    testpdf::TempDir dir;
    std::vector<std::string> sources(argv + 1, argv + argc);
    if (sources.empty()) {
        const std::string book = testpdf::CorpusDir() + "/GeoTopo-komprimiert.pdf";
        if (fs::exists(book)) sources.push_back(book);
        else std::printf("the corpus book is not here; measuring the word-by-word document only\n");
        WordByWord(50).Save(dir / "words50.pdf");
        sources.push_back(dir / "words50.pdf");
    }
    for (const auto& pdf : sources) Measure(pdf, dir.path());
    return 0;
}
