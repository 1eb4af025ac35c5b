#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <cstdint>
#include <string>
#include <vector>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "platform/Process.h"
#include "platform/TextRecognition.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/RunProgram.h"
#include "support/ScannedPages.h"
#include "support/TempDir.h"

using namespace testpdf;

namespace {

const char* kLines[] = {
    "The quick brown fox jumps over the lazy dog near the river bank.",
    "Every morning the baker opens his small shop before sunrise.",
    "Children walk to school along the quiet street with their friends.",
    "A careful reader notices when words are missing from a page.",
    "The committee will meet again on Thursday to discuss the budget.",
    "Scanned letters and faxes should become documents people can edit.",
};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

std::vector<std::string> ExpectedWords() {
    std::string all;
    for (const char* line : kLines) all += std::string(line) + " ";
    return Words(all);
}

// The share of `expected` found in `got` in the same order (their longest common subsequence).
double InOrder(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
    std::vector<std::vector<int>> common(expected.size() + 1, std::vector<int>(got.size() + 1, 0));
    for (size_t i = 1; i <= expected.size(); ++i)
        for (size_t j = 1; j <= got.size(); ++j)
            common[i][j] = expected[i - 1] == got[j - 1] ? common[i - 1][j - 1] + 1
                                                          : std::max(common[i - 1][j], common[i][j - 1]);
    return expected.empty() ? 1 : static_cast<double>(common[expected.size()][got.size()]) / expected.size();
}

// What a reader sees of the document, paragraph after paragraph.
std::string DocumentText(const std::string& rtfPath) {
    std::string text;
    for (const std::string& paragraph : RtfParagraphs(ReadFile(rtfPath))) text += paragraph + " ";
    return text;
}

PdfWriter TextPage() {
    PdfWriter pdf;
    std::string content;
    for (size_t i = 0; i < std::size(kLines); ++i) content += TextLine(kLines[i], 72, 700 - 20.0 * i, 12, "F2");
    pdf.AddPage(content);
    return pdf;
}

class TextRecognition : public ::testing::Test {
protected:
    void SetUp() override {
        if (platform::MissingOcrLanguage("eng") != "") GTEST_SKIP() << "no English OCR data installed";
        TextPage().Save(dir / "text.pdf");
        page = Rasterised(dir / "text.pdf", dir / "page", kDpi);
    }
    std::string Convert(const std::string& name, int mode, int ocr = OcrAuto) {
        MyConvertPara para;
        para.inputPath = dir / (name + ".pdf");
        para.outputDir = dir.path();
        para.jobMode = mode;
        para.ocrMode = ocr;
        EXPECT_EQ(ConvertFile(para), 0);
        notes = para.TakeNotes();
        return DocumentText(dir / (name + ".rtf"));
    }
    static constexpr int kDpi = 150;
    TempDir dir;
    GreyPage page;
    std::vector<std::string> notes;
};

TEST_F(TextRecognition, AScannedPageGivesItsWordsInOrderInEveryLayout) {
    SaveScan({page}, kDpi, dir / "straight.pdf");
    SaveScan({Scanned(page, 0.5, true)}, kDpi, dir / "turned.pdf");
    for (const char* name : {"straight", "turned"})
        for (int mode : {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly}) {
            SCOPED_TRACE(std::string(name) + " in layout " + std::to_string(mode));
            EXPECT_GE(InOrder(ExpectedWords(), Words(Convert(name, mode))), 0.95);
            ASSERT_FALSE(notes.empty());
            EXPECT_NE(notes.back().find("1 page was recognised as text"), std::string::npos) << notes.back();
        }
}

TEST_F(TextRecognition, NeverRecognisesAndAPageWithTextIsNotRecognised) {
    SaveScan({page}, kDpi, dir / "scan.pdf");
    EXPECT_LT(InOrder(ExpectedWords(), Words(Convert("scan", ModeTextOnly, OcrNever))), 0.05);
    EXPECT_TRUE(notes.empty());
    // The page's own words, once: not recognised again from its rendering.
    const std::vector<std::string> words = Words(Convert("text", ModeTextOnly));
    EXPECT_EQ(words, ExpectedWords());
    EXPECT_TRUE(notes.empty());
}

TEST_F(TextRecognition, AMissingLanguageIsNamedAndTheWordsOfOtherPagesStay) {
    MyConvertPara para;
    TextPage().Save(dir / "text.pdf");
    para.inputPath = dir / "text.pdf";
    para.outputDir = dir.path();
    para.ocrLanguages = "xyz";
    para.ocrMode = OcrAlways;
    EXPECT_EQ(ConvertFile(para), 0);
    const std::vector<std::string> found = para.TakeNotes();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("tesseract-ocr-xyz"), std::string::npos) << found[0];
    EXPECT_EQ(Words(DocumentText(dir / "text.rtf")), ExpectedWords());
}

// Scanners and OCR tools write the words they recognised as invisible text over
// the page's picture, as the tesseract command's PDF does.
TEST_F(TextRecognition, AScanRecognisedBeforeIsReadFromItsHiddenLayerAndOtherInvisibleTextStaysOut) {
    if (!platform::ProgramOnPath("tesseract")) GTEST_SKIP() << "no tesseract command";
    SavePgm(page, dir / "page.pgm");
    RunProgram({"tesseract", dir / "page.pgm", dir / "layered", "-l", "eng", "--dpi", std::to_string(kDpi), "pdf"});
    ASSERT_TRUE(std::filesystem::exists(dir / "layered.pdf"));
    EXPECT_GE(InOrder(ExpectedWords(), Words(Convert("layered", ModeFlowingText))), 0.95);
    for (const std::string& note : notes) EXPECT_EQ(note.find("recognised"), std::string::npos) << note;

    PdfWriter trick;
    trick.AddPage(TextLine("Visible words", 72, 700) + "BT 3 Tr /F1 12 Tf 72 600 Td (Hidden trick) Tj ET\n");
    trick.Save(dir / "trick.pdf");
    EXPECT_EQ(Words(Convert("trick", ModeTextOnly)), (std::vector<std::string>{"visible", "words"}));
}

// The job is cancelled while its first page is recognised: the second is never begun.
TEST_F(TextRecognition, CancelDuringRecognitionStopsAtTheNextPage) {
    class CancelOnFirstPage : public MyConvertPara {
    public:
        void Log(const std::string& line) override {
            lines.push_back(line);
            if (line == "Recognising text of page 1...") cancelRequested = 1;
        }
        std::vector<std::string> lines;
    } para;
    SaveScan({page, page, page}, kDpi, dir / "three.pdf");
    para.inputPath = dir / "three.pdf";
    para.outputDir = dir.path();
    ConvertFile(para);
    int recognising = 0;
    for (const std::string& line : para.lines) recognising += line.rfind("Recognising text of page", 0) == 0;
    EXPECT_EQ(recognising, 1);
}

}  // namespace
