#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/OfficeRoundTrip.h"
#include "support/RunProgram.h"

namespace fs = std::filesystem;
using namespace officetest;

namespace {

const char* const kPapers[] = {"multicolumn.pdf", "pdflatex-4-pages.pdf", "GeoTopo-komprimiert.pdf"};

std::string Convert(const std::string& source, const std::string& mode, const std::string& outDir) {
    auto run = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-m", mode, "-o", outDir, source});
    EXPECT_EQ(run.status, 0) << run.errors;
    return outDir + "/" + fs::path(source).stem().string() + ".rtf";
}

// The bigram F1 of the fidelity tool: the words of the rendered result in reading order.
double BigramF1(const std::string& source, const std::string& rtf) {
    auto score = testpdf::RunProgram({std::string(VELLUMOR_SHARED_DIR) + "/tools/fidelity", source, rtf});
    EXPECT_EQ(score.status, 0) << score.errors;
    std::istringstream values(score.output);
    double recall = 0, precision = 0, bigrams = 0;
    values >> recall >> precision >> bigrams;
    return bigrams;
}

int PageCount(const std::string& pdf) {
    auto info = testpdf::RunProgram({"pdfinfo", pdf});
    size_t p = info.output.find("Pages:");
    return p == std::string::npos ? 0 : std::atoi(info.output.c_str() + p + 6);
}

class FlowingPapers : public testing::TestWithParam<const char*> {};

}  // namespace

// The default layout reads papers at least as well as one paragraph per line,
// and renders them on about as many pages as the source has.
TEST_P(FlowingPapers, ReadAtLeastAsWellAsFormattedTextOnAsManyPages) {
    std::string corpus = testpdf::CorpusDir();
    std::string source = corpus + "/" + GetParam();
    if (corpus.empty() || !fs::exists(source)) GTEST_SKIP() << "no corpus";
    if (!OfficeAvailable() || !platform::ProgramOnPath("pdftotext") || !platform::ProgramOnPath("pdfinfo"))
        GTEST_SKIP() << "soffice or poppler-utils missing";
    testpdf::TempDir dir;
    std::string flowing = Convert(source, "flowing", dir / "flowing");
    std::string formatted = Convert(source, "formatted", dir / "formatted");
    if (TooManyShapesForLibreOffice(flowing)) GTEST_SKIP() << "more shapes than LibreOffice lays out in a test's time";
    EXPECT_GE(BigramF1(source, flowing), BigramF1(source, formatted));

    RenderToPdf({flowing}, dir / "pdf", dir / "profile");
    int pages = PageCount(dir / ("pdf/" + fs::path(source).stem().string() + ".pdf"));
    int sourcePages = PageCount(source);
    EXPECT_GT(pages, 0);
    EXPECT_LE(pages, sourcePages + sourcePages / 4 + 1) << "the source has " << sourcePages;
}

INSTANTIATE_TEST_SUITE_P(Corpus, FlowingPapers, testing::ValuesIn(kPapers), [](const auto& info) {
    std::string name = fs::path(info.param).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});
