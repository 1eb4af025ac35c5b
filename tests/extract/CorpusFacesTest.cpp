// The faces of the corpus: per file, each source font with the face the font
// table gives it, its kind and whether its text is bold; no sans becomes a serif.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include "ExtractRun.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfXmlParse.h"
#include "rtf/FontNameMapping.h"
#include "support/OfficeRoundTrip.h"
#include "support/TempDir.h"

TEST(Corpus, NoSansSourceFaceGetsASerifSubstitute) {
    const std::vector<std::string> files = officetest::CorpusPdfs();
    if (files.empty()) GTEST_SKIP() << "no corpus";
    const std::regex fontspec(R"re(<fontspec id="(\d+)" size="\d+" family="([^"]*)".*?(face="([^"]*)")?>)re");
    const std::regex boldRun(R"re(font="(\d+)"[^\n]*\n<data [^>]*style="1")re");
    for (const std::string& path : files) {
        const std::string name = std::filesystem::path(path).filename().string();
        SCOPED_TRACE(name);
        testpdf::TempDir dir;
        const std::string xml = extracttest::ExtractFile(path, officetest::CorpusPassword(name));
        const std::string xmlPath = dir / "doc.xml";
        std::FILE* out = std::fopen(xmlPath.c_str(), "wb");
        ASSERT_TRUE(out);
        std::fwrite(xml.data(), 1, xml.size(), out);
        std::fclose(out);
        std::set<int> bold;
        for (std::sregex_iterator it(xml.begin(), xml.end(), boldRun), end; it != end; ++it) bold.insert(std::stoi((*it)[1]));
        CRtfDocument document;
        CRtfXmlParse reader(xmlPath);
        if (!reader.ReadFonts(document)) continue;
        std::printf("%s\n", name.c_str());
        std::set<std::string> shown;
        for (std::sregex_iterator it(xml.begin(), xml.end(), fontspec), end; it != end; ++it) {
            const int id = std::stoi((*it)[1]);
            const XmlFontSpec* spec = document.fonts.FindSpec(id);
            const std::string substitute = spec && spec->entry ? spec->entry->name : "?";
            const std::string kind = (*it)[4].matched ? (*it)[4].str() : "-";
            const std::string row =
                (*it)[2].str() + " -> " + substitute + " (" + kind + (bold.count(id) ? ", bold" : "") + ")";
            if (shown.insert(row).second) std::printf("  %s\n", row.c_str());
            if (kind.starts_with("sans")) {
                EXPECT_NE(FontTableClass(substitute), "\\froman") << row;
            }
        }
    }
}
