#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "rtfgraphics/ShapesPdf.h"
#include "support/CorpusPictures.h"
#include "support/OfficeRoundTrip.h"
#include "support/RunProgram.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;
using namespace officetest;
using namespace testpdf;

namespace {

std::string Convert(const std::string& source, const std::string& mode, const std::string& outDir) {
    auto run = RunProgram({ConvertProgram(), "-q", "-m", mode, "-o", outDir, source});
    EXPECT_EQ(run.status, 0) << run.errors;
    return outDir + "/" + fs::path(source).stem().string() + ".rtf";
}

// Pictures of one page of a PDF as pdfimages lists them.
int PicturesOnPage(const std::string& pdf, int page) {
    auto r = RunProgram({"pdfimages", "-f", std::to_string(page), "-l", std::to_string(page), "-list", pdf});
    std::istringstream lines(r.output);
    std::string line;
    int count = 0, row = 0;
    while (std::getline(lines, line))
        if (++row > 2 && !line.empty()) ++count;
    return count;
}

// Page 1 of a PDF at 72 dots per inch, so a pixel is a point counted from the top.
RgbImage FirstPage(const std::string& pdf, const std::string& stem) {
    RunProgram({"pdftoppm", "-r", "72", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
    RgbImage image;
    EXPECT_TRUE(ReadImage(stem + ".ppm", image)) << pdf;
    return image;
}

bool ToolsPresent() {
    return OfficeAvailable() && platform::ProgramOnPath("pdfimages") && platform::ProgramOnPath("pdftoppm");
}

}  // namespace

// The pictures and shapes show where the PDF drew them once LibreOffice lays the result out.
TEST(PicturesRender, PicturesAndShapesShowWhereThePdfDrewThem) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    ShapesPdf().Save(dir / "shapes.pdf");
    fs::create_directory(dir / "flowing");
    fs::create_directory(dir / "asis");
    std::string flowing = Convert(dir / "shapes.pdf", "flowing", dir / "flowing");
    std::string asIs = Convert(dir / "shapes.pdf", "asis", dir / "asis");
    fs::copy_file(flowing, dir / "flowing.rtf");
    fs::copy_file(asIs, dir / "asis.rtf");
    RenderToPdf({dir / "flowing.rtf", dir / "asis.rtf"}, dir.path(), dir / "profile");
    for (const char* name : {"flowing", "asis"}) {
        SCOPED_TRACE(name);
        const std::string pdf = dir / (std::string(name) + ".pdf");
        ASSERT_TRUE(fs::exists(pdf));
        EXPECT_EQ(PicturesOnPage(pdf, 1), 2);
        EXPECT_EQ(PdfimagesPictureCount(pdf), 3);
        RgbImage page = FirstPage(pdf, dir / name);
        ASSERT_EQ(page.width, 612);
        // Points counted from the page's top: the rectangles at y 50 to 90, the
        // line at y 150, the JPEG from y 500 to 700 (red left, blue right).
        EXPECT_TRUE(Near(page.At(100, 722), {255, 0, 0})) << "the red rectangle";
        EXPECT_TRUE(Near(page.At(250, 722), {0, 255, 0})) << "the green rectangle";
        EXPECT_TRUE(Near(page.At(400, 722), {0, 0, 255})) << "the blue rectangle";
        EXPECT_TRUE(Near(page.At(150, 642), {0, 0, 255})) << "the blue line";
        EXPECT_TRUE(Near(page.At(150, 192), {255, 0, 0})) << "the picture's left half";
        EXPECT_TRUE(Near(page.At(400, 192), {0, 0, 255})) << "the picture's right half";
        EXPECT_TRUE(Near(page.At(300, 400), {255, 255, 255})) << "nothing drawn between them";
    }
}

// overlay prints: pages_source pages_result page_size_error matched median_offset p90_offset.
struct Overlay {
    int sourcePages = 0, resultPages = 0;
    double sizeError = 0, matched = 0, median = 0, p90 = 0;
};

Overlay RunOverlay(const std::string& source, const std::string& rtf) {
    auto r = RunProgram({std::string(VELLUMOR_SHARED_DIR) + "/tools/overlay", source, rtf});
    EXPECT_EQ(r.status, 0) << r.errors;
    Overlay o;
    std::istringstream(r.output) >> o.sourcePages >> o.resultPages >> o.sizeError >> o.matched >> o.median >> o.p90;
    return o;
}

// Every picture of the corpus reaches the "AS IS" result, and the words stay on
// as many pages of the same size as without graphics.
TEST(PicturesRender, CorpusPicturesReachTheAsIsResults) {
    std::vector<CorpusPictureFile> files = CorpusPictureFiles();
    if (files.empty()) GTEST_SKIP() << "no corpus, or no pictures in it";
    if (!ToolsPresent() || !platform::ProgramOnPath("pdftotext")) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    std::vector<std::string> results;
    for (const CorpusPictureFile& pdf : files) results.push_back(Convert(pdf.path, "asis", dir.path()));
    RenderToPdf(results, dir / "pdf", dir / "profile");
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = fs::path(files[i].path).stem().string();
        EXPECT_GE(PdfimagesPictureCount(dir / ("pdf/" + name + ".pdf")), files[i].pictures) << name;
    }
    // The book: words, pages and page sizes against the same conversion without any graphics.
    for (const CorpusPictureFile& pdf : files) {
        const std::string name = fs::path(pdf.path).stem().string();
        if (name != "GeoTopo-komprimiert" && name != "pdflatex-image") continue;
        fs::create_directories(dir / "formatted");
        Overlay withGraphics = RunOverlay(pdf.path, dir / (name + ".rtf"));
        Overlay without = RunOverlay(pdf.path, Convert(pdf.path, "formatted", dir / "formatted"));
        EXPECT_GE(withGraphics.matched, without.matched - 0.01) << name;
        EXPECT_LE(withGraphics.resultPages, without.resultPages) << name;
        EXPECT_LE(withGraphics.sizeError, 1) << name;
        EXPECT_LE(withGraphics.median, without.median + 1) << name;
    }
}
