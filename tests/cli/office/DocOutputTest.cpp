#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Process.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(DocOutput, WordDocumentReplacesTheRtf) {
    if (!platform::ProgramOnPath("soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    testpdf::TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Word processors open this", 72, 700));
    pdf.Save(dir / "letter.pdf");
    auto r = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-f", "doc", "-m", "formatted", "-o", "out",
                                  "letter.pdf"},
                                 dir.path());
    EXPECT_EQ(r.status, 0) << r.errors;
    ASSERT_TRUE(fs::exists(dir / "out/letter.doc"));
    EXPECT_FALSE(fs::exists(dir / "out/letter.rtf"));
    // An OLE compound file, the Word 97 container.
    EXPECT_EQ(testpdf::ReadFile(dir / "out/letter.doc").substr(0, 4), "\xD0\xCF\x11\xE0");
}

}  // namespace

namespace {

// Office Open XML and OpenDocument files are zip containers; the part names tell them apart.
TEST(DocOutput, DocxAndOdtAreTheirOwnFormatsAndLeaveNoRtf) {
    if (!platform::ProgramOnPath("soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    testpdf::TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Open formats for every word processor", 72, 700));
    pdf.Save(dir / "memo.pdf");
    for (const auto& [format, marker] : {std::pair<std::string, std::string>{"docx", "word/document.xml"},
                                         {"odt", "application/vnd.oasis.opendocument.text"}}) {
        auto r = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-f", format, "-o", "out", "memo.pdf"},
                                     dir.path());
        EXPECT_EQ(r.status, 0) << r.errors;
        std::string bytes = testpdf::ReadFile(dir / ("out/memo." + format));
        EXPECT_EQ(bytes.substr(0, 2), "PK") << format;
        EXPECT_NE(bytes.find(marker), std::string::npos) << format;
    }
    EXPECT_FALSE(fs::exists(dir / "out/memo.rtf"));
}

TEST(DocOutput, TwoColumnPaperKeepsItsWordsInDocxAndOdt) {
    std::string paper = testpdf::CorpusDir().empty() ? std::string() : testpdf::CorpusDir() + "/multicolumn.pdf";
    std::string tool = std::string(VELLUMOR_SHARED_DIR) + "/tools/fidelity";
    if (paper.empty() || !fs::exists(paper) || !fs::exists(tool) || !platform::ProgramOnPath("soffice"))
        GTEST_SKIP() << "needs the corpus, the fidelity tool and LibreOffice";
    testpdf::TempDir dir;
    for (const char* format : {"docx", "odt"}) {
        auto r = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-f", format, "-o", dir.path(), paper});
        ASSERT_EQ(r.status, 0) << r.errors;
        auto score = testpdf::RunProgram({tool, paper, dir / (std::string("multicolumn.") + format)});
        ASSERT_EQ(score.status, 0) << score.errors;
        EXPECT_GE(std::strtod(score.output.c_str(), nullptr), 0.97) << format << ": " << score.output;
    }
}

}  // namespace
