// "AS IS" conversions of the corpus PDFs with pictures, whole: seconds per page
// and the share of that spent in Ghostscript rendering the pictures.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "platform/Process.h"
#include "support/CorpusPictures.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A stand-in for gs, first on the PATH, that runs the real one and notes how long it took.
std::string TimedGhostscript(const testpdf::TempDir& dir, const std::string& log) {
    std::string real = platform::RunProcess({"which", "gs"}).output;
    while (!real.empty() && (real.back() == '\n' || real.back() == '\r')) real.pop_back();
    if (real.empty()) return {};
    fs::create_directory(dir / "bin");
    const std::string shim = dir / "bin/gs";
    std::ofstream(shim) << "#!/bin/sh\ns=$(date +%s.%N)\n\"" << real << "\" \"$@\"\nr=$?\ne=$(date +%s.%N)\n"
                        << "echo \"$s $e\" >> \"" << log << "\"\nexit $r\n";
    fs::permissions(shim, fs::perms::owner_all);
    return dir / "bin";
}

double LoggedSeconds(const std::string& log) {
    std::ifstream in(log);
    double start, end, total = 0;
    while (in >> start >> end) total += end - start;
    return total;
}

}  // namespace

int main() {
    std::vector<testpdf::CorpusPictureFile> files = testpdf::CorpusPictureFiles();
    if (files.empty()) {
        std::printf("asisgraphics: no corpus PDFs with pictures, nothing measured\n");
        return 0;
    }
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;
    testpdf::TempDir dir;
    const std::string log = dir / "gs-times";
    const std::string shimFolder = TimedGhostscript(dir, log);
    if (shimFolder.empty()) {
        std::printf("asisgraphics: no gs on the PATH, nothing measured\n");
        return 0;
    }
    const char* path = std::getenv("PATH");
    setenv("PATH", (shimFolder + ":" + (path ? path : "")).c_str(), 1);

    double totalSeconds = 0, totalGs = 0;
    int totalPages = 0, totalPictures = 0;
    std::printf("%-36s %6s %8s %9s %9s %9s\n", "file", "pages", "pictures", "seconds", "s/page", "gs share");
    for (const auto& pdf : files) {
        fs::remove(log);
        MyConvertPara para;
        para.inputPath = pdf.path;
        para.outputDir = dir.path();
        para.jobMode = ModeAsIs;
        auto start = std::chrono::steady_clock::now();
        ConvertFile(para);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        double gs = LoggedSeconds(log);
        int pages = para.lastPage > 0 ? para.lastPage : 0;
        totalSeconds += seconds;
        totalGs += gs;
        totalPages += pages;
        totalPictures += para.pictures.rendered;
        std::printf("%-36s %6d %8d %9.3f %9.3f %8.0f%%\n", fs::path(pdf.path).filename().c_str(), pages,
                    para.pictures.rendered, seconds, pages ? seconds / pages : 0.0,
                    seconds > 0 ? 100 * gs / seconds : 0.0);
    }
    std::printf("%-36s %6d %8d %9.3f %9.3f %8.0f%%\n", "all", totalPages, totalPictures, totalSeconds,
                totalPages ? totalSeconds / totalPages : 0.0, totalSeconds > 0 ? 100 * totalGs / totalSeconds : 0.0);
    return 0;
}
