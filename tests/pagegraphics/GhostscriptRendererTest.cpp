// One Ghostscript for a whole job: every picture must come out as it does from a
// Ghostscript of its own, also after a picture that failed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "pagegraphics/GhostscriptRender.h"
#include "pagegraphics/PicturePdf.h"
#include "platform/Process.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace testpdf;
using pagegraphics::GhostscriptRenderer;

namespace {

struct Placed {
    std::string image;
    double a, b, c, d, e, f;
};

// The pictures of the job: paper sizes and orientations change from one to the
// next, so that what one picture sets up would show in the next one's file (a
// page keeps the paper of the one before when the sizes differ by 5 points or less).
const std::vector<std::vector<Placed>> kPages = {
    {{"Im", 0, 80, -40, 0, 300, 300}, {"Jp", 400, 0, 0, 200, 100, 500}, {"Im", 80, 0, 0, 40, 100, 100}},
    {{"Im", 0, -80, 40, 0, 100, 300}, {"Im", 80, 0, 0, -40, 100, 600}, {"Jp", -400, 0, 0, 200, 500, 100}},
};

void SavePictures(const std::vector<std::vector<Placed>>& pages, const std::string& path) {
    PdfWriter w;
    int raw = w.AddRgbImage(RgbSamples(8, 4, RawColour), 8, 4);
    int jpeg = w.AddJpegImage(JpegData(40, 20, JpegColour), 40, 20);
    for (const auto& pictures : pages) {
        std::string content;
        for (const Placed& p : pictures) content += DrawImage(p.image, p.a, p.b, p.c, p.d, p.e, p.f);
        w.AddPage(content).extraResources = XObjectResources({{"Im", raw}, {"Jp", jpeg}});
    }
    w.Save(path);
}

std::string OneShot(const std::string& device, const std::string& ps, const std::string& image) {
    platform::RunProcess({"gs", "-sDEVICE=" + device, "-dBATCH", "-dNOPROMPT", "-dNOPAUSE", "-sOutputFile=" + image,
                          "-q", ps});
    return ReadFile(image);
}

}  // namespace

TEST(GhostscriptRenderer, EveryPictureOfAJobIsTheFileItGivesAlone) {
    if (!pagegraphics::GhostscriptAvailable()) GTEST_SKIP() << "no gs on the PATH";
    TempDir dir;
    SavePictures(kPages, dir / "all.pdf");
    auto r = RunProgram({ConvertProgram(), "-q", "--extract-images", "png", "-o", dir / "out", dir / "all.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    for (size_t page = 0; page < kPages.size(); ++page)
        for (size_t n = 0; n < kPages[page].size(); ++n) {
            const std::string name = "alone-" + std::to_string(page + 1) + "-" + std::to_string(n + 1);
            SavePictures({{kPages[page][n]}}, dir / (name + ".pdf"));
            auto alone = RunProgram(
                {ConvertProgram(), "-q", "--extract-images", "png", "-o", dir / "out", dir / (name + ".pdf")});
            ASSERT_EQ(alone.status, 0) << alone.errors;
            const std::string shared =
                ReadFile(dir / ("out/all-" + std::to_string(page + 1) + "/imagefile" + std::to_string(n + 1) + ".png"));
            EXPECT_FALSE(shared.empty()) << name;
            EXPECT_TRUE(shared == ReadFile(dir / ("out/" + name + "-1/imagefile1.png"))) << name;
        }
}

// A page that fails in PostScript (after changing what it could) fails alone:
// the next picture gets a fresh interpreter and the file a one-shot run gives.
TEST(GhostscriptRenderer, APageFailingInPostScriptFailsAloneAndTheNextStillRenders) {
    if (!pagegraphics::GhostscriptAvailable()) GTEST_SKIP() << "no gs on the PATH";
    TempDir workspace, other;
    const std::string page = "<< /PageSize [30 20] >> setpagedevice 0 0 1 setrgbcolor 0 0 30 10 rectfill showpage\n";
    WriteFile(workspace / "first.ps", "%!PS\n" + page);
    WriteFile(workspace / "bad.ps",
              "%!PS\n/showpage {} def << /PageSize [99 99] >> setpagedevice 1 0 0 setrgbcolor nosuchoperator\n");
    WriteFile(workspace / "next.ps", "%!PS\n" + page);

    GhostscriptRenderer renderer("png16m", workspace.path());
    std::string reason;
    ASSERT_TRUE(renderer.RenderImage(workspace / "first.png", workspace / "first.ps", reason)) << reason;
    EXPECT_FALSE(renderer.RenderImage(workspace / "bad.png", workspace / "bad.ps", reason));
    EXPECT_EQ(reason, "Ghostscript failed: Error: /undefined in nosuchoperator");
    EXPECT_FALSE(fs::exists(workspace / "bad.png"));
    ASSERT_TRUE(renderer.RenderImage(workspace / "next.png", workspace / "next.ps", reason)) << reason;
    EXPECT_TRUE(ReadFile(workspace / "next.png") == OneShot("png16m", workspace / "next.ps", other / "one.png"));
    EXPECT_TRUE(ReadFile(workspace / "first.png") == ReadFile(workspace / "next.png"));

    // Files outside the workspace (and Ghostscript's own temp folder) are not read.
    EXPECT_FALSE(renderer.RenderImage(workspace / "outside.png", "/etc/passwd", reason));
    EXPECT_EQ(reason, "Ghostscript failed: Error: /invalidfileaccess in --run--");
    EXPECT_FALSE(fs::exists(workspace / "outside.png"));
}

// A cancelled job does not wait for a Ghostscript that hangs, even one that never
// got as far as answering its first question.
TEST(GhostscriptRenderer, CancellingTheJobStopsAHangingGhostscript) {
    TempDir dir;
    WriteFile(dir / "gs", "#!/bin/sh\nsleep 300 &\nwait\n");
    fs::permissions(dir / "gs", fs::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (dir.path() + ":" + path).c_str(), 1);
    GhostscriptRenderer renderer("png16m", dir.path());
    std::atomic<int32_t> stop{0};
    std::thread canceller([&] {
        usleep(300000);
        stop = 1;
    });
    auto start = std::chrono::steady_clock::now();
    std::string reason;
    const bool rendered = renderer.RenderImage(dir / "picture.png", dir / "page.ps", reason, &stop);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    canceller.join();
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(rendered);
    EXPECT_EQ(reason, "Ghostscript was stopped: the job was cancelled");
    EXPECT_LT(seconds, 30);
}
