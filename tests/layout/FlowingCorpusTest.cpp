#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "app/DefaultEngines.h"
#include "support/RtfChecks.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/OfficeRoundTrip.h"
#include "support/RtfText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = fs::path(info.param).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class FlowingCorpus : public testing::TestWithParam<std::string> {};

}  // namespace

// Every word of the XML reaches the RTF once, and every geometry word carries a sound number.
TEST_P(FlowingCorpus, EveryWordOnceAndSoundGeometry) {
    const std::string& source = GetParam();
    testpdf::TempDir dir;
    MyConvertPara para;
    para.inputPath = source;
    para.outputDir = dir.path();
    para.xmlCopyPath = dir / "kept.xml";
    para.password = officetest::CorpusPassword(source);
    ASSERT_EQ(ConvertFile(para), 0);
    std::string xml = testpdf::ReadFile(dir / "kept.xml");
    std::string rtf = testpdf::ReadFile(dir / (fs::path(source).stem().string() + ".rtf"));
    ASSERT_FALSE(rtf.empty());
    std::vector<std::string> missing = rtfcheck::MissingWords(xml, rtf);
    std::string listed;
    for (size_t i = 0; i < missing.size() && i < 12; ++i) listed += " \"" + missing[i] + "\"";
    EXPECT_TRUE(missing.empty()) << missing.size() << " words missing:" << listed;
    EXPECT_EQ(rtfcheck::DuplicatedCharacters(xml, rtf), "");
    EXPECT_EQ(rtfcheck::GeometryFault(rtf), "");
    // Running text re-flows: its lines become fewer paragraphs. The counts are the
    // measure a reader of the log compares; lines kept are one paragraph each.
    para.keepLines = true;
    para.xmlCopyPath.clear();
    testpdf::TempDir keptDir;
    para.outputDir = keptDir.path();
    ASSERT_EQ(ConvertFile(para), 0);
    const std::string kept = testpdf::ReadFile(keptDir / (fs::path(source).stem().string() + ".rtf"));
    const size_t lines = testpdf::RtfParagraphs(kept).size(), paragraphs = testpdf::RtfParagraphs(rtf).size();
    std::printf("%s: %zu lines, %zu paragraphs\n", fs::path(source).filename().c_str(), lines, paragraphs);
    EXPECT_LE(paragraphs, lines);
    if (fs::path(source).filename() == "multicolumn.pdf") {
        EXPECT_NE(rtf.find("\\cols2\\colno1"), std::string::npos) << "the two-column paper has no two-column section";
    }
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FlowingCorpus);
INSTANTIATE_TEST_SUITE_P(Corpus, FlowingCorpus, testing::ValuesIn(officetest::CorpusPdfs()), CaseName);
