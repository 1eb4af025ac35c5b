// Every real-world PDF of the corpus through the text pass: a complete file that a
// line-oriented reader can take, one page line per page.
#include <gtest/gtest.h>

#include <PDFDoc.h>
#include <goo/GooString.h>

#include <algorithm>
#include <filesystem>

#include "app/DefaultEngines.h"
#include "ExtractRun.h"
#include "XmlLineGrammar.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "platform/PdfCoreConfig.h"
#include "support/TempDir.h"

using namespace extracttest;

namespace {

std::string PasswordFor(const std::string& name) {
    return name == "libreoffice-writer-password.pdf" ? "openpassword" : std::string();
}

// Pages the PDF core can load: a damaged page tree can hide pages that the
// document's page count still names, and those cannot be displayed.
int LoadablePages(const std::string& path, const std::string& password) {
    pdfcore::CreateGlobalParams();
    pdfcore::ApplyExtractionSettings();
    int loadable = 0;
    {
        std::optional<GooString> user;
        if (!password.empty()) user.emplace(password);
        PDFDoc doc(std::make_unique<GooString>(path), std::nullopt, user);
        for (int n = 1; doc.isOk() && n <= doc.getNumPages(); ++n) loadable += doc.getPage(n) != nullptr;
    }
    pdfcore::DeleteGlobalParams();
    return loadable;
}

int CountPageLines(const std::string& xml) {
    int pages = 0;
    for (const auto& line : Lines(xml)) pages += line.rfind("<page ", 0) == 0;
    return pages;
}

}  // namespace

TEST(Corpus, EveryFileYieldsAWellFormedXml) {
    std::string corpus = testpdf::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".pdf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());

    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        testpdf::TempDir dir;
        MyConvertPara para;
        para.inputPath = file.string();
        para.password = PasswordFor(file.filename().string());
        para.outputDir = dir.path();
        para.jobMode = ModeTextOnly;
        para.xmlCopyPath = dir / "copy.xml";
        ConvertEngines engines = DefaultEngines();
        engines.createRtfDocument = [](const std::string&, const CConvertPara&) {
            return std::unique_ptr<IRtfDocument>();
        };
        ConvertFile(para, engines);
        std::string xml = testpdf::ReadFile(dir / "copy.xml");
        EXPECT_EQ(CheckXmlGrammar(xml), "");
        int pages = PageCount(file.string(), para.password.empty() ? nullptr : &para.password);
        EXPECT_GT(pages, 0);
        EXPECT_EQ(CountPageLines(xml), LoadablePages(file.string(), para.password));
    }
}

// The checker itself must reject what a reader cannot take.
TEST(Corpus, GrammarCheckerRejectsBrokenFiles) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                             "<pdf2xml author=\"\" keywords=\"\" date=\"\" subject=\"\">\n";
    const std::string page = "<page pnumber=\"1\" pposition=\"absolute\" ptop=\"108\" pleft=\"108\" pheight=\"1188\" "
                             "pwidth=\"918\" protation=\"0\">\n";
    const std::string font = "\t<fontspec id=\"0\" size=\"12\" family=\"Arial\" alternate=\"\" color=\"#000000\">\n";
    const std::string margin = "<margin mleft=\"0050\" mtop=\"0050\" mbottom=\"0010\" mright=\"0010\">\n";
    const std::string text = "<text top=\"1\" left=\"2\" width=\"3\" height=\"4\" font=\"0\" direction=\"1\" toc=\"0\" "
                             "Angle=\"0\">\n";
    const std::string data = "<data cSpace=\"+000.00\" wSpace=\"+0000.00\" hScal=\"100\" style=\"0\" "
                             "cRise=\"+0000.00\" cLeading=\"+0000.00\">";
    auto element = [&](const std::string& content) { return text + data + content + "\n</text>\n"; };

    EXPECT_EQ(CheckXmlGrammar(head + page + font + margin + element("a&amp;b") + "</page>\n</pdf2xml>\n"), "");
    EXPECT_EQ(CheckXmlGrammar(head + page + font + margin +
                              element("<#dsAnchor#http://a?b&c~dsAnchor#>x</~dsAnchor#>y") + "</page>\n</pdf2xml>\n"),
              "");
    EXPECT_NE(CheckXmlGrammar(head + page + font + margin + element("a") + "</page>\n"), "");  // no trailer
    EXPECT_NE(CheckXmlGrammar(head + page + font + element("a") + "</page>\n</pdf2xml>\n"), "");  // no margin
    EXPECT_NE(CheckXmlGrammar(head + page + font + margin + "</page>\n</pdf2xml>\n"), "");  // margin, no text
    EXPECT_NE(CheckXmlGrammar(head + page + margin + element("a") + "</page>\n</pdf2xml>\n"), "");  // unknown font
    EXPECT_NE(CheckXmlGrammar(head + page + font + margin + element("a\nb") + "</page>\n</pdf2xml>\n"), "");
    EXPECT_NE(CheckXmlGrammar(head + page + font + margin + element("a<b") + "</page>\n</pdf2xml>\n"), "");
    EXPECT_NE(CheckXmlGrammar(head + page + font + margin + element("<#dsAnchor#t~dsAnchor#>x") +
                              "</page>\n</pdf2xml>\n"),
              "");
    EXPECT_NE(CheckXmlGrammar(head + page + font + margin + text + data + "a\n</pdf2xml>\n"), "");  // cut short
}
