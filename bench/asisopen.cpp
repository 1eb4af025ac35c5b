// How long LibreOffice takes to open the "AS IS" and flowing results of a file, against
// its formatted result, which carries no shapes and no pictures: each PDF converted in
// the three layouts, each result converted to PDF by soffice (one start per result, a
// private profile). Prints the seconds, and the most a result with graphics should take
// (twice the formatted result, plus 10 s).
//
//   bench_asisopen --justified OUT.pdf   writes the justified document and ends
//   bench_asisopen [PDF...]     default: a two-column and a four-page paper of the corpus
//                               and a 50-page justified document (the corpus book takes
//                               LibreOffice a quarter of an hour in either layout: name it)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "platform/Process.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Justified text as producers that place every word on its own write it: 50 pages.
testpdf::PdfWriter JustifiedPages(int pages) {
    static const char* words[] = {"agreement", "the",   "parties", "shall", "notice", "within", "days",  "of",
                                  "receipt",   "any",   "claim",   "under", "this",   "section", "and",  "its",
                                  "terms",     "apply", "to",      "all",   "such",   "matters", "herein"};
    testpdf::PdfWriter w;
    unsigned next = 0;
    for (int p = 0; p < pages; ++p) {
        std::string content;
        for (int line = 0; line < 48; ++line) {
            // Words while they fit 480 points at about 5 points a letter and 4 a blank; the
            // blanks then share what is left, as justified text spreads them.
            std::vector<std::string> row;
            double letters = 0;
            while (true) {
                const std::string word = words[next % (sizeof words / sizeof *words)];
                const double width = (letters + static_cast<double>(word.size())) * 5 + static_cast<double>(row.size()) * 4;
                if (!row.empty() && width > 480) break;
                row.push_back(word);
                letters += static_cast<double>(word.size());
                ++next;
            }
            const double gap = row.size() > 1 ? (480 - letters * 5) / static_cast<double>(row.size() - 1) : 0;
            double x = 66;
            for (const std::string& word : row) {
                content += testpdf::TextLine(word, x, 750 - line * 14.5, 10, "F2");
                x += static_cast<double>(word.size()) * 5 + gap;
            }
        }
        w.AddPage(content);
    }
    return w;
}

std::string Convert(const std::string& pdf, int mode, const std::string& outDir) {
    fs::create_directories(outDir);
    MyConvertPara para;
    para.inputPath = pdf;
    para.outputDir = outDir;
    para.jobMode = mode;
    ConvertFile(para);
    return outDir + "/" + fs::path(pdf).stem().string() + ".rtf";
}

// Seconds soffice takes to turn the result into a PDF; negative when it made none.
double OpenSeconds(const std::string& rtf, const testpdf::TempDir& dir, const std::string& name) {
    const std::string out = dir / ("pdf-" + name);
    fs::create_directories(out);
    auto start = std::chrono::steady_clock::now();
    platform::RunProcess({"soffice", "-env:UserInstallation=file://" + (dir / ("profile-" + name)), "--headless",
                          "--convert-to", "pdf", "--outdir", out, rtf});
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return fs::exists(out + "/" + fs::path(rtf).stem().string() + ".pdf") ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--justified") return JustifiedPages(50).Save(argv[2]) ? 0 : 1;
    if (!platform::ProgramOnPath("soffice")) {
        std::printf("asisopen: no soffice on the PATH, nothing measured\n");
        return 0;
    }
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;
    testpdf::TempDir dir;
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        const std::string corpus = testpdf::CorpusDir();
        for (const char* name : {"multicolumn.pdf", "pdflatex-4-pages.pdf"})
            if (!corpus.empty() && fs::exists(corpus + "/" + name)) files.push_back(corpus + "/" + name);
        JustifiedPages(50).Save(dir / "justified-50.pdf");
        files.push_back(dir / "justified-50.pdf");
    }
    std::printf("%-30s %12s %12s %12s %10s\n", "file", "formatted s", "flowing s", "asis s", "limit s");
    for (const std::string& pdf : files) {
        const std::string name = fs::path(pdf).stem().string();
        const std::string formatted = Convert(pdf, ModeFormattedText, dir / ("formatted-" + name));
        const std::string flowing = Convert(pdf, ModeFlowingText, dir / ("flowing-" + name));
        const std::string asIs = Convert(pdf, ModeAsIs, dir / ("asis-" + name));
        const double t = OpenSeconds(formatted, dir, "formatted-" + name);
        const double f = OpenSeconds(flowing, dir, "flowing-" + name);
        const double a = OpenSeconds(asIs, dir, "asis-" + name);
        // Negative: LibreOffice made no PDF of it.
        std::printf("%-30s %12.1f %12.1f %12.1f %10.1f\n", name.c_str(), t, f, a, t > 0 ? 2 * t + 10 : 0.0);
        std::fflush(stdout);
    }
    return 0;
}
