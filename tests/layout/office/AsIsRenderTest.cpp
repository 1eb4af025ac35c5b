// "AS IS" results as LibreOffice lays them out: each text on its own page, nothing
// painted over what the source drew under its words, titles on one line.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/OfficeRoundTrip.h"
#include "support/PdfWords.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;
using namespace officetest;
using namespace testpdf;

namespace {

bool ToolsPresent() {
    return OfficeAvailable() && platform::ProgramOnPath("pdftotext") && platform::ProgramOnPath("pdftoppm");
}

// Converts in "AS IS" and renders the result; the rendered PDF's path.
std::string Rendered(const TempDir& dir, const std::string& name, const PdfWriter& pdf) {
    const std::string source = dir / (name + ".pdf");
    pdf.Save(source);
    auto run = RunProgram({ConvertProgram(), "-q", "-m", "asis", "-o", dir / "rtf", source});
    EXPECT_EQ(run.status, 0) << run.errors;
    RenderToPdf({dir / ("rtf/" + name + ".rtf")}, dir / "pdf", dir / "profile");
    return dir / ("pdf/" + name + ".pdf");
}

std::string PageText(const std::string& pdf, int page) {
    return RunProgram({"pdftotext", "-f", std::to_string(page), "-l", std::to_string(page), pdf, "-"}).output;
}

int PageCount(const std::string& pdf) {
    std::string info = RunProgram({"pdfinfo", pdf}).output;
    size_t p = info.find("Pages:");
    return p == std::string::npos ? 0 : std::stoi(info.substr(p + 6));
}

}  // namespace

// A deck whose first page is only a picture: every later page keeps its own text.
TEST(AsIsRender, APictureOnlyFirstPageKeepsEveryTextOnItsOwnPage) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    PdfWriter pdf;
    int picture = pdf.AddRgbImage(RgbSamples(8, 8, [](int, int) { return Rgb{200, 30, 30}; }), 8, 8);
    pdf.AddPage(DrawImage("Im", 200, 0, 0, 200, 100, 400)).extraResources = XObjectResources({{"Im", picture}});
    pdf.AddPage(TextLine("Second page words", 72, 700, 12, "F2"));
    pdf.AddPage(TextLine("Third page words", 72, 700, 12, "F2"));
    const std::string result = Rendered(dir, "deck", pdf);
    ASSERT_EQ(PageCount(result), 3);
    EXPECT_EQ(PageText(result, 1).find("page words"), std::string::npos);
    EXPECT_NE(PageText(result, 2).find("Second page words"), std::string::npos) << PageText(result, 2);
    EXPECT_NE(PageText(result, 3).find("Third page words"), std::string::npos) << PageText(result, 3);
}

// Words over a dark band, white words among them: the band stays visible around and
// between the words, and the white words show on it.
TEST(AsIsRender, WordsOverAFilledRectangleLeaveItsColourVisible) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    PdfWriter pdf;
    pdf.AddPage(FilledRectangle(50, 600, 500, 100, 0.2, 0.3, 0.8) + TextLine("Words over a band", 72, 640, 14) +
                "1 g\n" + TextLine("White heading words", 300, 665, 14, "F4") + "0 g\n");
    const std::string result = Rendered(dir, "band", pdf);
    RunProgram({"pdftoppm", "-r", "72", "-f", "1", "-l", "1", "-singlefile", result, dir / "band"});
    RgbImage page;
    ASSERT_TRUE(ReadImage(dir / "band.ppm", page));
    ASSERT_EQ(page.width, 612);
    // Across the lines' boxes (points from the top), most pixels are the band's blue.
    int blue = 0, white = 0, all = 0;
    for (int y = 124; y <= 154; ++y)
        for (int x = 72; x <= 500; ++x) {
            Rgb c = page.At(x, y);
            blue += Near(c, {51, 77, 204}) ? 1 : 0;
            white += Near(c, {255, 255, 255}) ? 1 : 0;
            ++all;
        }
    EXPECT_GT(blue, all * 3 / 4);
    // The white words are there, and only they are white.
    EXPECT_GT(white, 0);
    EXPECT_LT(white, all / 8);
    EXPECT_NE(PageText(result, 1).find("White heading words"), std::string::npos);
}

// A bold title drawn narrow in a face this machine does not have: the face that
// stands in runs wider, and the title still stays on one line.
TEST(AsIsRender, ABoldTitleInAMissingFaceStaysOnOneLine) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    PdfWriter pdf;
    pdf.SetFont("FN", MetricFont("Narrowface-Bold", 800, -200, 380));
    pdf.AddPage(TextLine("Katrin and the Quarterly Report", 72, 700, 24, "FN") +
                TextLine("A label under the title", 72, 680, 10, "F1"));
    const std::string result = Rendered(dir, "title", pdf);
    std::istringstream lines(PageText(result, 1));
    std::string line;
    bool whole = false;
    while (std::getline(lines, line)) whole = whole || line.find("Katrin and the Quarterly Report") != std::string::npos;
    EXPECT_TRUE(whole) << PageText(result, 1);
}

namespace {

// Left edges of the words of a PDF, by word, in reading order.
std::vector<std::pair<std::string, double>> WordLefts(const std::string& pdf) {
    std::vector<std::pair<std::string, double>> out;
    for (const WordBox& word : PdfWords(pdf)) out.emplace_back(word.text, word.left);
    return out;
}

}  // namespace

// A justified line spreads its blanks wide, a tight line has blanks narrower than the
// face's own, and kerned pairs ("AVAWAY") run narrower than their letters: every word
// still starts where the source starts it, to within a point.
TEST(AsIsRender, WordsOfJustifiedAndTightLinesStartWhereTheSourceStartsThem) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    TempDir dir;
    PdfWriter pdf;
    std::string content;
    const char* wide[] = {"AVAWAY", "spread", "over", "the", "whole", "measure"};
    const char* tight[] = {"tight", "words", "with", "narrow", "blanks", "between"};
    double x = 72;
    for (const char* w : wide) {
        content += TextLine(w, x, 700, 12, "F2");
        x += 80;
    }
    x = 72;
    for (const char* w : tight) {
        content += TextLine(w, x, 680, 12, "F3");
        x += 7.2 * static_cast<double>(std::string(w).size()) + 2.4;  // Courier: blanks of 0.2 em, not 0.6
    }
    pdf.AddPage(content);
    const std::string source = dir / "lines.pdf";
    pdf.Save(source);
    const std::string result = Rendered(dir, "lines", pdf);
    auto expected = WordLefts(source), got = WordLefts(result);
    ASSERT_EQ(expected.size(), 12u);
    ASSERT_EQ(got.size(), expected.size()) << RunProgram({"pdftotext", result, "-"}).output;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(got[i].first, expected[i].first);
        EXPECT_NEAR(got[i].second, expected[i].second, 1.0) << expected[i].first;
    }
}
