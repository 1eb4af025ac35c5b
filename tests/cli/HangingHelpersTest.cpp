// Ghostscript and LibreOffice stand-ins that never finish: the file fails at the
// time limit with a message, and the job neither hangs nor leaves scratch behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "pagegraphics/PicturePdf.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace testpdf;

namespace {

class HangingHelper : public ::testing::Test {
protected:
    void SetUp() override {
        tmp = dir / "tmp";
        fs::create_directories(tmp);
        fs::create_directories(dir / "hang-bin");
    }
    // A stand-in that starts a long command and waits for it, as a stuck program would.
    void Hanging(const std::string& program) {
        const std::string path = dir / ("hang-bin/" + program);
        WriteFile(path, "#!/bin/sh\nsleep 300 &\nwait\n");
        fs::permissions(path, fs::perms::owner_all);
    }
    platform::ProcessResult Convert(const std::string& limit, std::vector<std::string> args) {
        std::vector<std::string> argv = {"env", "TMPDIR=" + tmp, "PATH=" + (dir / "hang-bin") + ":/usr/bin:/bin", limit,
                                         ConvertProgram()};
        argv.insert(argv.end(), args.begin(), args.end());
        auto start = std::chrono::steady_clock::now();
        platform::ProcessResult r = RunProgram(argv, dir.path());
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return r;
    }
    TempDir dir;
    std::string tmp;
    double seconds = 0;
};

}  // namespace

TEST_F(HangingHelper, GhostscriptIsStoppedAtItsLimitAndThePictureFails) {
    Hanging("gs");
    PicturePdf().Save(dir / "pics.pdf");
    auto r = Convert("VELLUMOR_GS_TIME_LIMIT=2", {"--extract-images", "png", "-p", "3", "-o", "out", "pics.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("Ghostscript did not finish within 2 seconds"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("pics.pdf"), std::string::npos) << r.errors;
    EXPECT_LT(seconds, 60);
    EXPECT_FALSE(fs::exists(dir / "out/pics-3/imagefile1.png"));
    EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(HangingHelper, LibreOfficeIsStoppedAtItsLimitAndTheRtfIsKept) {
    Hanging("soffice");
    NumberedPages(1).Save(dir / "words.pdf");
    auto r = Convert("VELLUMOR_OFFICE_TIME_LIMIT=2", {"-f", "doc", "-m", "text", "-o", "out", "words.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("LibreOffice did not finish within 2 seconds"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("words.pdf"), std::string::npos) << r.errors;
    EXPECT_LT(seconds, 60);
    EXPECT_FALSE(fs::exists(dir / "out/words.doc"));
    EXPECT_TRUE(fs::exists(dir / "out/words.rtf")) << "the RTF is all the user has of the file";
    EXPECT_TRUE(fs::is_empty(tmp));
}
