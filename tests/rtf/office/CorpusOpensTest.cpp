#include <gtest/gtest.h>

#include "support/OfficeRoundTrip.h"
#include "support/RunProgram.h"

namespace fs = std::filesystem;
using namespace officetest;

namespace {

// Groups open and close in order; escaped braces and backslashes are text.
bool BalancedGroups(const std::string& rtf) {
    long depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}' && --depth < 0) return false;
    }
    return depth == 0;
}

// Every corpus PDF converted in the mode gives an RTF that LibreOffice renders.
void EveryCorpusResultOpens(const std::string& mode) {
    if (!OfficeAvailable()) GTEST_SKIP() << "soffice is not installed";
    std::vector<std::string> sources = CorpusPdfs();
    if (sources.empty()) GTEST_SKIP() << "no corpus";
    testpdf::TempDir dir;
    std::vector<std::string> results;
    for (const std::string& src : sources) {
        std::vector<std::string> argv = {testpdf::ConvertProgram(), "-q", "-m", mode, "-o", dir / "rtf", src};
        if (std::string pw = CorpusPassword(src); !pw.empty()) argv.insert(argv.end() - 1, {"--password", pw});
        auto run = testpdf::RunProgram(argv);
        std::string rtf = dir / ("rtf/" + fs::path(src).stem().string() + ".rtf");
        ASSERT_EQ(run.status, 0) << src << "\n" << run.errors;
        ASSERT_TRUE(fs::exists(rtf)) << rtf;
        std::string text = testpdf::ReadFile(rtf);
        EXPECT_EQ(text.rfind("{\\rtf\\ansi", 0), 0u) << rtf;
        EXPECT_TRUE(BalancedGroups(text)) << rtf;
        if (TooManyShapesForLibreOffice(rtf)) continue;
        results.push_back(rtf);
    }
    RenderToPdf(results, dir / "pdf", dir / "profile");
    for (const std::string& rtf : results) {
        fs::path pdf = fs::path(dir / "pdf") / (fs::path(rtf).stem().string() + ".pdf");
        EXPECT_TRUE(fs::exists(pdf) && fs::file_size(pdf) > 0) << "LibreOffice could not render " << rtf;
    }
}

}  // namespace

TEST(OfficeOpens, EveryCorpusResultInTextMode) { EveryCorpusResultOpens("text"); }

TEST(OfficeOpens, EveryCorpusResultInTheDefaultFlowingMode) { EveryCorpusResultOpens("flowing"); }
