#include <gtest/gtest.h>

#include <filesystem>

#include "support/CorpusPictures.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;
using namespace testpdf;

namespace {

// Every corpus PDF with pictures gives at least as many readable files as
// pdfimages counts pictures.
TEST(CorpusImages, TheImageJobExtractsEveryPictureReadably) {
    std::vector<CorpusPictureFile> files = CorpusPictureFiles();
    if (files.empty()) GTEST_SKIP() << "no corpus, or no pictures in it";
    TempDir dir;
    for (const CorpusPictureFile& pdf : files) {
        const std::string name = fs::path(pdf.path).stem().string();
        const std::string out = dir / name;
        auto r = RunProgram({ConvertProgram(), "-q", "--extract-images", "png", "-o", out, pdf.path});
        EXPECT_EQ(r.status, 0) << name << ": " << r.errors;
        int written = 0;
        for (const auto& folder : fs::directory_iterator(out))
            for (const auto& file : fs::directory_iterator(folder.path())) {
                ++written;
                RgbImage image;
                EXPECT_TRUE(ReadImage(file.path().string(), image) && image.width > 0 && image.height > 0)
                    << file.path();
            }
        EXPECT_GE(written, pdf.pictures) << name;
    }
}

}  // namespace
