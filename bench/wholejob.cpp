// The whole conversion, layout by layout, against the PDF core's own word-box
// extraction (pdftotext -bbox) of the same file: seconds per page of the text
// pass, the RTF build and the whole job, and the job's ratio to pdftotext. Then
// the command line as a child process in the two layouts with pictures, against
// pdftotext -bbox and pdfimages -png together: CPU time, peak memory and the
// RTF's size beside the PDF's.
//
//   bench_wholejob [PDF...]              the corpus book, a 50-page word-by-word document,
//                                        the picture document and the corpus picture PDFs
//   bench_wholejob --pictures-only       the picture document and the corpus picture PDFs
//   bench_wholejob --words PAGES OUT     only writes the word-by-word document (memory runs)
//   bench_wholejob --save-pictures OUT   only writes the picture document
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
#include "platform/Workspace.h"
#include "support/ChildUsage.h"
#include "support/PdfWriter.h"
#include "support/PictureDocument.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPicturePages = 20;

// The corpus PDFs whose pictures come in the kinds a converter meets: CCITT and
// JPEG scans, CMYK and grey pictures, inline images.
const char* const kCorpusPictureFiles[] = {"imagemagick-CCITTFaxDecode.pdf",
                                           "imagemagick-images.pdf",
                                           "cmyk-image.pdf",
                                           "grayscale-image.pdf",
                                           "pdflatex-image.pdf",
                                           "base64image.pdf",
                                           "inline-image.pdf"};

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

double FileBytes(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<double>(size);
}

// Kilobytes for the small corpus files, whose sizes would read 0.00 in megabytes.
std::string SizeText(double bytes) {
    char text[32];
    if (bytes < 1024 * 1024) std::snprintf(text, sizeof text, "%.1f KB", bytes / 1024);
    else std::snprintf(text, sizeof text, "%.2f MB", bytes / (1024 * 1024));
    return text;
}

struct ChildBest {
    double cpu = 1e9, peakMegabytes = 0;
    int status = 0;
    void Keep(const testpdf::ChildUsage& run) {
        if (run.status != 0) status = run.status;
        cpu = std::min(cpu, run.cpuSeconds);
        peakMegabytes = std::max(peakMegabytes, run.peakMegabytes);
    }
};

// The whole job as a user starts it, held against the two tools of the same PDF
// core that take out the same words and pictures. CPU time rather than wall time,
// so that the job's own children (Ghostscript) count and a busy machine does not.
void MeasureChildren(testpdf::ChildLauncher& launcher, const std::string& pdf, const std::string& scratch) {
    const std::string convert = platform::ExecutableDir() + "/vellumor-convert";
    if (!fs::exists(convert)) {
        std::printf("  (vellumor-convert is not built beside the benchmark; no child-process figures)\n");
        return;
    }
    const int rounds = 3;
    const char* const layouts[] = {"flowing", "asis"};
    ChildBest jobs[2], bbox, extract;
    double rtfBytes[2] = {0, 0};
    const std::string out = scratch + "/child", images = scratch + "/images";
    const std::string rtf = out + "/" + fs::path(pdf).stem().string() + ".rtf";
    // The tools do not depend on the layout: one run of each per round serves both.
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            fs::remove_all(out);
            fs::create_directories(out);
            jobs[i].Keep(launcher.Run({convert, "-q", "-m", layouts[i], "-o", out, pdf}));
            rtfBytes[i] = FileBytes(rtf);
        }
        bbox.Keep(launcher.Run({"pdftotext", "-bbox", pdf, scratch + "/bbox.html"}));
        fs::remove_all(images);
        fs::create_directories(images);
        extract.Keep(launcher.Run({"pdfimages", "-png", pdf, images + "/picture"}));
    }
    fs::remove_all(images);
    fs::remove_all(out);
    const double pdfBytes = FileBytes(pdf);
    std::printf("  as child processes, CPU best of %d rounds, PDF %s; both = pdftotext -bbox + pdfimages -png\n",
                rounds, SizeText(pdfBytes).c_str());
    std::printf("  %-10s %9s %10s %10s %9s %14s %9s %11s %8s\n", "layout", "job CPU", "pdftotext", "pdfimages",
                "job/both", "job/pdftotext", "job peak", "RTF", "RTF/PDF");
    for (int i = 0; i < 2; ++i) {
        if (jobs[i].status != 0) {
            std::printf("  %-10s the job failed (exit %d)\n", layouts[i], jobs[i].status);
            continue;
        }
        std::printf("  %-10s %7.2f s %8.2f s %8.2f s %8.2fx %13.2fx %6.0f MB %11s %7.2fx\n", layouts[i],
                    jobs[i].cpu, bbox.cpu, extract.cpu, jobs[i].cpu / std::max(1e-3, bbox.cpu + extract.cpu),
                    jobs[i].cpu / std::max(1e-3, bbox.cpu), jobs[i].peakMegabytes, SizeText(rtfBytes[i]).c_str(),
                    rtfBytes[i] / std::max(1.0, pdfBytes));
    }
}

void AddPictureSources(std::vector<std::string>& sources, const std::string& dir) {
    const std::string pictures = dir + "/pictures" + std::to_string(kPicturePages) + ".pdf";
    testpdf::PictureDocument(kPicturePages).Save(pictures);
    sources.push_back(pictures);
    const std::string corpus = testpdf::CorpusDir();
    if (corpus.empty()) {
        std::printf("the corpus is not here; measuring the picture document without its picture PDFs\n");
        return;
    }
    for (const char* name : kCorpusPictureFiles)
        if (fs::exists(corpus + "/" + name)) sources.push_back(corpus + "/" + name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--words") {
        return WordByWord(std::atoi(argv[2])).Save(argv[3]) ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--save-pictures") {
        return testpdf::PictureDocument(kPicturePages).Save(argv[2]) ? 0 : 1;
    }
    // Forked first, while this process is small: see ChildLauncher.
    testpdf::ChildLauncher launcher;
    if (!platform::ProgramOnPath("pdftotext")) {
        std::printf("wholejob: pdftotext is not installed, nothing measured\n");
        return 0;
    }
    // The core reports damaged objects on standard error; that is not what is measured.
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;
    testpdf::TempDir dir;
    std::vector<std::string> sources(argv + 1, argv + argc);
    if (sources.size() == 1 && sources[0] == "--pictures-only") {
        sources.clear();
        AddPictureSources(sources, dir.path());
    } else if (sources.empty()) {
        const std::string book = testpdf::CorpusDir() + "/GeoTopo-komprimiert.pdf";
        if (fs::exists(book)) sources.push_back(book);
        else std::printf("the corpus book is not here; measuring the word-by-word document only\n");
        WordByWord(50).Save(dir / "words50.pdf");
        sources.push_back(dir / "words50.pdf");
        AddPictureSources(sources, dir.path());
    }
    const bool pdfimages = platform::ProgramOnPath("pdfimages");
    if (pdfimages) std::printf("child peaks below %.0f MB are the launcher's own\n", launcher.FloorMegabytes());
    else std::printf("pdfimages is not installed; no child-process figures\n");
    for (const auto& pdf : sources) {
        Measure(pdf, dir.path());
        if (pdfimages) MeasureChildren(launcher, pdf, dir.path());
    }
    return 0;
}
