// Image-job time per picture and per page on the corpus PDFs with pictures:
// page PostScript, cut-outs and one Ghostscript run per picture.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/CorpusPictures.h"
#include "support/TempDir.h"

int main() {
    std::vector<testpdf::CorpusPictureFile> files = testpdf::CorpusPictureFiles();
    if (files.empty()) {
        std::printf("imagejob: no corpus PDFs with pictures, nothing measured\n");
        return 0;
    }
    // The core reports damaged objects on standard error; that is not what is measured.
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    (void)quiet;
    testpdf::TempDir dir;
    double totalSeconds = 0;
    int totalPictures = 0, totalPages = 0;
    std::printf("%-36s %6s %8s %9s %10s %9s\n", "file", "pages", "pictures", "seconds", "s/picture", "s/page");
    for (const auto& pdf : files) {
        MyConvertPara para;
        para.inputPath = pdf.path;
        para.outputDir = dir / std::filesystem::path(pdf.path).stem().string();
        std::filesystem::create_directory(para.outputDir);
        para.jobMode = ModeExtractImages;
        para.imageDevice = "png16m";
        auto start = std::chrono::steady_clock::now();
        ConvertFile(para);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        int pictures = para.pictures.rendered;
        int pages = para.lastPage > 0 ? para.lastPage : 0;
        totalSeconds += seconds;
        totalPictures += pictures;
        totalPages += pages;
        std::printf("%-36s %6d %8d %9.3f %10.3f %9.3f\n", std::filesystem::path(pdf.path).filename().c_str(), pages,
                    pictures, seconds, pictures ? seconds / pictures : 0.0, pages ? seconds / pages : 0.0);
    }
    std::printf("%-36s %6d %8d %9.3f %10.3f %9.3f\n", "all", totalPages, totalPictures, totalSeconds,
                totalPictures ? totalSeconds / totalPictures : 0.0, totalPages ? totalSeconds / totalPages : 0.0);

    // What the page-graphics pass adds to a text job: the book in a layout with
    // graphics against one without.
    const std::string book = testpdf::CorpusDir() + "/GeoTopo-komprimiert.pdf";
    if (std::filesystem::exists(book)) {
        auto textJob = [&](int32_t mode, int& pages) {
            MyConvertPara para;
            para.inputPath = book;
            para.outputDir = dir.path();
            para.jobMode = mode;
            para.imageDevice = "jpeg";
            auto start = std::chrono::steady_clock::now();
            ConvertFile(para);
            pages = para.lastPage;
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        int pages = 0;
        double without = textJob(ModeFormattedText, pages);
        double with = textJob(ModeAsIs, pages);
        std::printf("text job on %s: %.3f s without page graphics, %.3f s with (%.4f s more per page)\n",
                    std::filesystem::path(book).filename().c_str(), without, with,
                    pages > 0 ? (with - without) / pages : 0.0);
    }
    return 0;
}
