// The faces of the corpus: per file, each source font with the face the font
// table gives it, its kind and whether its text is bold; no sans becomes a serif.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfXmlParse.h"
#include "rtf/FontNameMapping.h"
#include "support/TempDir.h"

namespace {

std::string ExtractedXml(const std::filesystem::path& pdf, const testpdf::TempDir& dir) {
    MyConvertPara para;
    para.inputPath = pdf.string();
    para.password = pdf.filename() == "libreoffice-writer-password.pdf" ? "openpassword" : "";
    para.outputDir = dir.path();
    para.jobMode = ModeTextOnly;
    para.xmlCopyPath = dir / "copy.xml";
    ConvertEngines engines = DefaultEngines();
    engines.createRtfDocument = [](const std::string&, const CConvertPara&) { return std::unique_ptr<IRtfDocument>(); };
    ConvertFile(para, engines);
    return para.xmlCopyPath;
}

}  // namespace

TEST(Corpus, NoSansSourceFaceGetsASerifSubstitute) {
    const std::string corpus = testpdf::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".pdf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    const std::regex fontspec(R"re(<fontspec id="(\d+)" size="\d+" family="([^"]*)".*?(face="([^"]*)")?>)re");
    const std::regex boldRun(R"re(font="(\d+)"[^\n]*\n<data [^>]*style="1")re");
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        testpdf::TempDir dir;
        const std::string xmlPath = ExtractedXml(file, dir);
        const std::string xml = testpdf::ReadFile(xmlPath);
        std::set<int> bold;
        for (std::sregex_iterator it(xml.begin(), xml.end(), boldRun), end; it != end; ++it) bold.insert(std::stoi((*it)[1]));
        CRtfDocument document;
        CRtfXmlParse reader(xmlPath);
        if (!reader.ReadFonts(document)) continue;
        std::printf("%s\n", file.filename().c_str());
        std::set<std::string> shown;
        for (std::sregex_iterator it(xml.begin(), xml.end(), fontspec), end; it != end; ++it) {
            const int id = std::stoi((*it)[1]);
            const XmlFontSpec* spec = document.fonts.FindSpec(id);
            const std::string substitute = spec && spec->entry ? spec->entry->name : "?";
            const std::string kind = (*it)[4].matched ? (*it)[4].str() : "-";
            const std::string row = (*it)[2].str() + " -> " + substitute + " (" + kind + (bold.count(id) ? ", bold" : "") + ")";
            if (shown.insert(row).second) std::printf("  %s\n", row.c_str());
            if (kind.starts_with("sans")) EXPECT_NE(FontTableClass(substitute), "\\froman") << row;
        }
    }
}
