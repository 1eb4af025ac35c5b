#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include "support/OfficeRoundTrip.h"
#include "support/RunProgram.h"

namespace fs = std::filesystem;
using namespace officetest;

namespace {

struct Case {
    std::string source;
    std::string mode;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.source << " (" << c.mode << ")"; }

// The book's formulas are set by TeX: indexes and primes touch their symbols on
// another baseline, and the reference text splits or joins such pieces by its
// own spacing rules. Its running text comes through whole.
double RecallFloor(const std::string& source) {
    return fs::path(source).stem() == "GeoTopo-komprimiert" ? 0.93 : 0.97;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (const std::string& src : CorpusPdfs()) {
        // Right-to-left text is not rebuilt by these layouts.
        if (fs::path(src).filename().string().rfind("habibi", 0) == 0) continue;
        for (const char* mode : {"flowing", "formatted", "text"}) cases.push_back({src, mode});
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<Case>& info) {
    std::string name = fs::path(info.param.source).stem().string() + "_" + info.param.mode;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class CorpusFidelity : public testing::TestWithParam<Case> {};

}  // namespace

// The words a reader sees in the rendered result are those of the source.
TEST_P(CorpusFidelity, WordRecall) {
    const Case& c = GetParam();
    if (!OfficeAvailable() || !platform::ProgramOnPath("pdftotext")) GTEST_SKIP() << "soffice or pdftotext missing";
    std::string tool = std::string(VELLUMOR_SHARED_DIR) + "/tools/fidelity";
    if (!fs::exists(tool)) GTEST_SKIP() << "no fidelity tool";
    std::string password = CorpusPassword(c.source);

    std::vector<std::string> words = {"pdftotext", "-q"};
    if (!password.empty()) words.insert(words.end(), {"-upw", password});
    words.insert(words.end(), {c.source, "-"});
    auto text = testpdf::RunProgram(words);
    if (text.output.find_first_not_of(" \t\r\n\f") == std::string::npos) GTEST_SKIP() << "no text in the source";

    testpdf::TempDir dir;
    std::vector<std::string> argv = {testpdf::ConvertProgram(), "-q", "-m", c.mode, "-o", dir.path()};
    if (!password.empty()) argv.insert(argv.end(), {"--password", password});
    argv.push_back(c.source);
    auto run = testpdf::RunProgram(argv);
    ASSERT_EQ(run.status, 0) << run.errors;
    std::string rtf = dir / (fs::path(c.source).stem().string() + ".rtf");
    ASSERT_TRUE(fs::exists(rtf));
    if (TooManyShapesForLibreOffice(rtf)) GTEST_SKIP() << "more shapes than LibreOffice lays out in a test's time";

    std::vector<std::string> measure = {tool, c.source, rtf};
    if (!password.empty()) measure.push_back(password);
    auto score = testpdf::RunProgram(measure);
    ASSERT_EQ(score.status, 0) << "LibreOffice could not render the result\n" << score.errors;
    double recall = std::strtod(score.output.c_str(), nullptr);
    EXPECT_GE(recall, RecallFloor(c.source)) << "recall precision bigrams: " << score.output;
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusFidelity);
INSTANTIATE_TEST_SUITE_P(Corpus, CorpusFidelity, testing::ValuesIn(Cases()), CaseName);
