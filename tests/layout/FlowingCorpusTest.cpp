#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "RtfChecks.h"
#include "convert/CConvertDoc.h"
#include "convert/MyConvertPara.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> CorpusPdfs() {
    std::vector<std::string> files;
    std::string dir = testpdf::CorpusDir();
    if (dir.empty()) return files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".pdf") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

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
    para.pageFlags = 1;
    para.xmlCopyPath = dir / "kept.xml";
    if (source.find("password") != std::string::npos) para.password = "openpassword";
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
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FlowingCorpus);
INSTANTIATE_TEST_SUITE_P(Corpus, FlowingCorpus, testing::ValuesIn(CorpusPdfs()), CaseName);
