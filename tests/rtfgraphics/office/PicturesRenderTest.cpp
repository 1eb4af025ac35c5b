#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "rtfgraphics/ShapesPdf.h"
#include "support/CorpusPictures.h"
#include "support/OfficeRoundTrip.h"
#include "support/PdfWords.h"
#include "support/RunProgram.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;
using namespace officetest;
using namespace testpdf;

namespace {

std::string Convert(const std::string& source, const std::string& mode, const std::string& outDir,
                    bool removeImages = false) {
    std::vector<std::string> argv = {ConvertProgram(), "-q", "-m", mode, "-o", outDir};
    if (removeImages) argv.push_back("--remove-images");
    argv.push_back(source);
    auto run = RunProgram(argv);
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
        EXPECT_EQ(PicturesOnPage(pdf, 2), 0);
        EXPECT_EQ(PicturesOnPage(pdf, 3), 1);
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

namespace {

// The pages of a PDF that hold pictures, as a page list of the command line ("3,7,12").
std::string PicturePages(const std::string& pdf) {
    auto r = RunProgram({"pdfimages", "-list", pdf});
    std::istringstream lines(r.output);
    std::string line, list;
    int row = 0, last = 0;
    while (std::getline(lines, line)) {
        if (++row <= 2) continue;
        std::istringstream fields(line);
        int page = 0;
        std::string num, type;
        if (!(fields >> page >> num >> type) || type == "smask" || type == "mask" || page == last) continue;
        list += (list.empty() ? "" : ",") + std::to_string(page);
        last = page;
    }
    return list;
}

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

}  // namespace

// Every picture of the corpus reaches the "AS IS" result. Only the pages with
// pictures are converted; a result with thousands of shapes (the book's
// drawings) takes LibreOffice many minutes to lay out, so its pictures are
// counted in the RTF instead.
TEST(PicturesRender, CorpusPicturesReachTheAsIsResults) {
    std::vector<CorpusPictureFile> files = CorpusPictureFiles();
    if (files.empty()) GTEST_SKIP() << "no corpus, or no pictures in it";
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    std::vector<std::string> rendered;
    std::vector<const CorpusPictureFile*> renderedFiles;
    for (const CorpusPictureFile& pdf : files) {
        auto run = RunProgram({ConvertProgram(), "-q", "-m", "asis", "-p", PicturePages(pdf.path), "-o", dir.path(),
                               pdf.path});
        EXPECT_EQ(run.status, 0) << pdf.path << ": " << run.errors;
        const std::string rtfPath = dir / (fs::path(pdf.path).stem().string() + ".rtf");
        if (TooManyShapesForLibreOffice(rtfPath)) {
            EXPECT_GE(static_cast<int>(Occurrences(ReadFile(rtfPath), "\\jpegblip\nFFD8FF")), pdf.pictures)
                << pdf.path;
            continue;
        }
        rendered.push_back(rtfPath);
        renderedFiles.push_back(&pdf);
    }
    RenderToPdf(rendered, dir / "pdf", dir / "profile");
    for (const CorpusPictureFile* pdf : renderedFiles) {
        const std::string name = fs::path(pdf->path).stem().string();
        EXPECT_GE(PdfimagesPictureCount(dir / ("pdf/" + name + ".pdf")), pdf->pictures) << name;
    }
}

namespace {

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

}  // namespace

// Pictures and shapes lie behind the text without wrapping: the words keep the
// pages, the page size and the places they have without any graphics.
TEST(PicturesRender, GraphicsLeaveTheWordsInPlace) {
    const std::string corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    if (!ToolsPresent() || !platform::ProgramOnPath("pdftotext")) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    for (const char* file : {"pdflatex-image.pdf", "imagemagick-images.pdf", "google-doc-document.pdf"}) {
        const std::string source = corpus + "/" + file;
        if (!fs::exists(source)) continue;
        SCOPED_TRACE(file);
        // The same body with and without its pictures: whatever the frames make of the
        // words, the pictures floating behind them must not move them.
        fs::create_directories(dir / "asis");
        fs::create_directories(dir / "bare");
        Overlay withGraphics = RunOverlay(source, Convert(source, "asis", dir / "asis"));
        Overlay without = RunOverlay(source, Convert(source, "asis", dir / "bare", true));
        EXPECT_GE(withGraphics.matched, without.matched - 0.01);
        EXPECT_EQ(withGraphics.resultPages, without.resultPages);
        // (Pages of a few points are scaled up to an inch with or without their pictures.)
        EXPECT_LE(withGraphics.sizeError, without.sizeError + 1);
        // A source without words (pictures only) has no offsets to compare.
        if (without.matched > 0) {
            EXPECT_LE(withGraphics.median, without.median + 1);
        }
    }
}

namespace {

// Pixels of a box given in points from the page's bottom that are nearly black.
int DarkPixels(const RgbImage& page, int left, int bottom, int right, int top) {
    int dark = 0;
    for (int x = left; x < right; ++x)
        for (int y = page.height - top; y < page.height - bottom; ++y)
            if (Near(page.At(x, y), {0, 0, 0}, 60)) ++dark;
    return dark;
}

}  // namespace

// Labels drawn over a figure's fills stay readable: the fills lie behind every
// word, level or turned, also on a page that another page follows.
TEST(PicturesRender, LabelsOverFilledBoxesStayVisible) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    PdfWriter w;
    w.AddPage("0.2 0.4 0.8 rg 100 600 200 60 re f 100 300 60 250 re f\n0 0 0 rg " + TextLine("LABEL", 130, 620, 24) +
              "BT /F1 24 Tf 0 1 -1 0 140 350 Tm (TURNED) Tj ET\n");
    w.AddPage(TextLine("next", 72, 700));
    w.Save(dir / "labels.pdf");
    std::vector<std::string> rendered;
    for (const char* mode : {"flowing", "asis"}) {
        fs::create_directory(dir / mode);
        fs::copy_file(Convert(dir / "labels.pdf", mode, dir / mode), dir / (std::string(mode) + ".rtf"));
        rendered.push_back(dir / (std::string(mode) + ".rtf"));
    }
    RenderToPdf(rendered, dir.path(), dir / "profile");
    for (const char* name : {"flowing", "asis"}) {
        SCOPED_TRACE(name);
        RgbImage page = FirstPage(dir / (std::string(name) + ".pdf"), dir / name);
        ASSERT_EQ(page.width, 612);
        EXPECT_TRUE(Near(page.At(110, 792 - 610), {51, 102, 204})) << "the box";
        // The boxes the labels cover in the source, in points from the bottom.
        EXPECT_GT(DarkPixels(page, 128, 614, 215, 640), 100) << "the level label";
        EXPECT_GT(DarkPixels(page, 114, 345, 145, 450), 100) << "the turned label";
    }
}

namespace {

// The tops of the words of one page of a PDF, by word.
std::map<std::string, double> WordTops(const std::string& pdf, int page) {
    std::map<std::string, double> out;
    for (const WordBox& word : PdfWords(pdf, page)) out.emplace(word.text, word.top);
    return out;
}

}  // namespace

// A page whose graphics begin with a picture keeps its words where the same page
// without pictures has them, on the first page and on later ones.
TEST(PicturesRender, APictureNeverMovesTheWords) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    PdfWriter w;
    const int image = w.AddJpegImage(JpegData(64, 64, [](int x, int y) { return Rgb{x * 4, y * 4, 128}; }), 64, 64);
    for (const char* heading : {"FirstHeading", "SecondHeading"}) {
        Page& p = w.AddPage(DrawImage("Im1", 150, 0, 0, 150, 380, 560) + TextLine(heading, 72, 740, 18) +
                            TextLine("bodyline", 72, 500, 11));
        p.extraResources = XObjectResources({{"Im1", image}});
    }
    w.Save(dir / "picture.pdf");
    for (const char* name : {"with", "without", "out-with", "out-without"}) fs::create_directory(dir / name);
    const std::string with = Convert(dir / "picture.pdf", "flowing", dir / "with");
    const std::string without = Convert(dir / "picture.pdf", "flowing", dir / "without", true);
    ASSERT_EQ(RenderToPdf({with}, dir / "out-with", dir / "profile"), 0);
    ASSERT_EQ(RenderToPdf({without}, dir / "out-without", dir / "profile"), 0);
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        const std::map<std::string, double> plain = WordTops(dir / "out-without/picture.pdf", page);
        const std::map<std::string, double> pictured = WordTops(dir / "out-with/picture.pdf", page);
        ASSERT_EQ(plain.size(), 2u);
        for (const auto& [word, top] : plain) {
            ASSERT_EQ(pictured.count(word), 1u) << word;
            EXPECT_NEAR(pictured.at(word), top, 0.5) << word;
        }
    }
}
