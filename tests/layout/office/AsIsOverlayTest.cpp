#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/OfficeRoundTrip.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"

namespace fs = std::filesystem;
using namespace officetest;

namespace {

std::string ConvertAsIs(const std::string& source, const std::string& outDir, const std::string& password = {}) {
    std::vector<std::string> argv = {testpdf::ConvertProgram(), "-q", "-m", "asis", "-o", outDir};
    if (!password.empty()) argv.insert(argv.end(), {"--password", password});
    argv.push_back(source);
    auto run = testpdf::RunProgram(argv);
    EXPECT_EQ(run.status, 0) << run.errors;
    return outDir + "/" + fs::path(source).stem().string() + ".rtf";
}

// Width and height in points of the first page, as pdfinfo reports them.
std::pair<double, double> PageSize(const std::string& pdf) {
    auto info = testpdf::RunProgram({"pdfinfo", pdf});
    size_t p = info.output.find("Page size:");
    if (p == std::string::npos) return {0, 0};
    std::istringstream in(info.output.substr(p + 10));
    double w = 0, h = 0;
    std::string x;
    in >> w >> x >> h;
    return {w, h};
}

struct Overlay {
    int sourcePages = 0, resultPages = 0;
    double sizeError = 0, matched = 0, median = 0, p90 = 0;
};

Overlay Lay(const std::string& source, const std::string& result, const std::string& password) {
    std::vector<std::string> argv = {std::string(VELLUMOR_SHARED_DIR) + "/tools/overlay", source, result};
    if (!password.empty()) argv.push_back(password);
    auto run = testpdf::RunProgram(argv);
    EXPECT_EQ(run.status, 0) << run.errors;
    Overlay o;
    std::istringstream(run.output) >> o.sourcePages >> o.resultPages >> o.sizeError >> o.matched >> o.median >> o.p90;
    return o;
}

bool ToolsPresent() {
    return OfficeAvailable() && platform::ProgramOnPath("pdftotext") && platform::ProgramOnPath("pdfinfo");
}

}  // namespace

// The result's pages are the source's paper: Letter stays Letter and A4 stays A4.
TEST(AsIsPapers, LetterAndA4KeepTheirSizeInPoints) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    testpdf::TempDir dir;
    testpdf::PdfWriter letter, a4;
    letter.AddPage(testpdf::TextLine("A Letter page", 72, 700, 12, "F2"));
    a4.AddPage(testpdf::TextLine("An A4 page", 72, 760, 12, "F2"), 595, 842);
    letter.Save(dir / "letter.pdf");
    a4.Save(dir / "a4.pdf");
    RenderToPdf({ConvertAsIs(dir / "letter.pdf", dir / "rtf"), ConvertAsIs(dir / "a4.pdf", dir / "rtf")}, dir / "pdf",
                dir / "profile");
    auto [lw, lh] = PageSize(dir / "pdf/letter.pdf");
    auto [aw, ah] = PageSize(dir / "pdf/a4.pdf");
    EXPECT_NEAR(lw, 612, 1);
    EXPECT_NEAR(lh, 792, 1);
    EXPECT_NEAR(aw, 595, 1);
    EXPECT_NEAR(ah, 842, 1);
}

namespace {

// Character recall and precision of the rendered result against the source.
std::pair<double, double> CharacterScores(const std::string& source, const std::string& result) {
    auto run = testpdf::RunProgram({std::string(VELLUMOR_SHARED_DIR) + "/tools/charfidelity", source, result});
    EXPECT_EQ(run.status, 0) << run.errors;
    double recall = 0, precision = 0;
    std::istringstream(run.output) >> recall >> precision;
    return {recall, precision};
}

std::string Shown(const std::string& font, const std::string& matrix, const std::string& text) {
    return "BT /" + font + " 11 Tf " + matrix + " Tm " + text + " Tj ET\n";
}

}  // namespace

// Pages turned both ways with words in every direction, and columns of vertical
// Japanese beside a Latin line: rendered back, every layout shows every character.
TEST(AsIsPapers, TurnedWordsAndVerticalWritingKeepEveryCharacterInEveryLayout) {
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    if (!fs::exists(std::string(VELLUMOR_SHARED_DIR) + "/tools/charfidelity")) GTEST_SKIP() << "no charfidelity tool";
    testpdf::TempDir dir;
    testpdf::PdfWriter pdf;
    // An upright page first: its turned words become turned text boxes, which must
    // still be text when the word processor shows them.
    for (int rotate : {0, 90, 270}) {
        testpdf::Page& turned = pdf.AddPage(
            Shown("F2", "1 0 0 1 72 500", "(Level words)") + Shown("F2", "0 1 -1 0 200 200", "(Rising words)") +
            Shown("F2", "0 -1 1 0 300 600", "(Falling words)") + Shown("F2", "-1 0 0 -1 400 300", "(Headstand words)"));
        turned.rotate = rotate;
    }
    pdf.AddVerticalFont("V", {0x65E5, 0x672C, 0x8A9E, 0x3092, 0x7E26, 0x306B, 0x66F8, 0x304F, 0x3002});
    pdf.AddPage(Shown("V", "1 0 0 1 500 700", testpdf::VerticalCodes(1, 6)) +
                Shown("V", "1 0 0 1 470 700", testpdf::VerticalCodes(7, 3)) +
                testpdf::TextLine("A Latin line", 72, 700, 12, "F2"));
    pdf.Save(dir / "turned.pdf");
    for (const char* mode : {"flowing", "asis", "formatted", "text"}) {
        std::string rtf = dir / mode;
        auto run = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-m", mode, "-o", rtf, dir / "turned.pdf"});
        ASSERT_EQ(run.status, 0) << run.errors;
        auto [recall, precision] = CharacterScores(dir / "turned.pdf", rtf + "/turned.rtf");
        EXPECT_EQ(recall, 1.0) << mode;
        EXPECT_EQ(precision, 1.0) << mode;
    }
}

namespace {

// Text documents of the corpus whose words "AS IS" lays over the source's. Left out: the
// 117-page book (LibreOffice does not finish rendering its many thousand frames), the
// Arabic samples, and the producers that place glyph by glyph (Google Docs, pdfkit),
// whose pieces come out larger than drawn and their frames overlap.
const char* const kTextPdfs[] = {
    "002-trivial-libre-office-writer.pdf", "annotated_pdf.pdf",        "crazyones-pdfa.pdf",
    "libre-office-link.pdf",               "libreoffice-form.pdf",     "libreoffice-writer-password.pdf",
    "minimal-document.pdf",                "mistitled_outlines_example.pdf", "multicolumn.pdf",
    "output_with_metadata_pymupdf.pdf",    "pdflatex-4-pages.pdf",     "pdflatex-forms.pdf",
    "pdflatex-image.pdf",                  "pdflatex-outline.pdf",     "reportlab-overlay.pdf",
    "with-attachment.pdf",
};

class AsIsCorpus : public testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(AsIsCorpus, WordsLieWhereTheSourceHasThem) {
    std::string corpus = testpdf::CorpusDir();
    std::string source = corpus + "/" + GetParam();
    if (corpus.empty() || !fs::exists(source)) GTEST_SKIP() << "no corpus";
    if (!ToolsPresent()) GTEST_SKIP() << "soffice or poppler-utils missing";
    testpdf::TempDir dir;
    std::string password = CorpusPassword(source);
    Overlay o = Lay(source, ConvertAsIs(source, dir.path(), password), password);
    EXPECT_EQ(o.resultPages, o.sourcePages);
    EXPECT_LE(o.sizeError, 1.0);
    EXPECT_GE(o.matched, 0.95);
    EXPECT_LE(o.median, 5.0);
    EXPECT_LE(o.p90, 15.0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, AsIsCorpus, testing::ValuesIn(kTextPdfs), [](const auto& info) {
    std::string name = fs::path(info.param).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});
