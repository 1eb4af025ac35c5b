// fuzz_psfilter: the image filter on arbitrary page PostScript. The input holds the
// recorded pictures' matrices, one per line, then an empty line, then the page
// PostScript. Pictures are only named, not rendered: what is fuzzed is our own
// reading of the page, not Ghostscript.
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "pagegraphics/PageGraphicsJob.h"
#include "pagegraphics/PageImageFilter.h"
#include "rtf/GraphicsList.h"
#include "rtf/RecordedGraphics.h"

namespace {
struct Quiet : pagegraphics::IPassObserver {
    void Log(const std::string&) override {}
    void AddNote(const std::string&) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find("\n\n");
    if (split == std::string::npos) return 0;
    const std::string ps = fuzz::WriteInput("page.ps", data + split + 2, size - split - 2);

    Quiet quiet;
    pagegraphics::PictureTally pictures;
    pagegraphics::PageGraphicsJob job;
    job.removeImages = true;
    job.imageJob = (split % 2) != 0;
    job.outputDir = fuzz::ScratchDir();
    job.workDir = fuzz::ScratchDir();
    job.baseName = "page";
    job.device = "png16m";
    job.imageExtension = "png";
    job.observer = &quiet;
    job.pictures = &pictures;

    GraphicsList graphics;
    size_t start = 0;
    for (int n = 0; start < split && n < 8; ++n) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos || end > split) end = split;
        auto picture = std::make_unique<Picture>();
        picture->itemNumber = n;
        picture->matrixText = input.substr(start, end - start);
        picture->pixelWidth = 8;
        picture->pixelHeight = 4;
        graphics.push_back(std::move(picture));
        start = end + 1;
    }
    pagegraphics::PageImageFilter(ps, 1, graphics, job).Run();
    return 0;
}
