// Recognising a printed page: a PDF of known words is rendered at 300 dpi and
// its words must come back in order, at the places the PDF drew them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "platform/Process.h"
#include "platform/TextRecognition.h"
#include "support/PdfWords.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/TestImages.h"

namespace {

using platform::GreyImage;
using platform::RecognisedPage;
using platform::TextRecognizer;

constexpr double kPixelsPerPoint = 300.0 / 72.0;

struct PrintedLine {
    std::string text;
    double baseline;  // points from the page's top
    double size;
};

const std::vector<PrintedLine> kLines = {
    {"The quick brown fox jumps over the lazy dog", 30, 12},
    {"Seven bright harbours welcome every sailing ship", 50, 12},
    {"Morning light falls gently across quiet valleys", 70, 12},
    {"Large letters stand above", 100, 18},
};
constexpr double kPageWidth = 480, kPageHeight = 115, kMargin = 18;
struct {
    double left, top, right, bottom;  // points from the page's top left
} constexpr kPhoto = {320, 15, 460, 100};

// The page rendered as a scanner would deliver it, and the words as the PDF placed them.
struct Scan {
    int width = 0, height = 0;
    std::vector<unsigned char> grey;
    GreyImage Image() const { return {grey.data(), width, height, static_cast<size_t>(width), 300}; }
};

struct PrintedWord {
    std::string text;
    double middle = 0, baseline = 0, left = 0, right = 0, size = 0;  // pixels of the straight page
};

bool ReadGrey(const std::string& path, Scan& scan) {
    testpdf::RgbImage image;
    if (!testpdf::ReadImage(path, image)) return false;
    scan.width = image.width;
    scan.height = image.height;
    scan.grey.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < scan.grey.size(); ++i) scan.grey[i] = image.rgb[i * 3];
    return true;
}

class TextRecognitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> installed = platform::InstalledOcrLanguages();
        if (std::find(installed.begin(), installed.end(), "eng") == installed.end())
            GTEST_SKIP() << "no English OCR data (tesseract-ocr-eng)";
        if (!platform::ProgramOnPath("pdftoppm")) GTEST_SKIP() << "pdftoppm missing";
        ASSERT_TRUE(Print());
        ASSERT_TRUE(recognizer.Ready()) << recognizer.Problem();
    }

    // Writes the lines in Helvetica, a photograph to their right if asked, renders
    // the page in grey at 300 dpi, and reads back where the PDF core placed each word.
    bool Print(bool photograph = false) {
        printed.clear();
        testpdf::PdfWriter pdf;
        std::string content;
        for (const PrintedLine& line : kLines)
            content += testpdf::TextLine(line.text, kMargin, kPageHeight - line.baseline, line.size);
        int photo = 0;
        if (photograph) {
            photo = pdf.AddRgbImage(testpdf::RgbSamples(160, 100, [](int x, int y) {
                int shade = static_cast<int>(128 + 60 * std::sin(x / 9.0) + 50 * std::cos(y / 13.0));
                return testpdf::Rgb{shade, shade, shade};
            }), 160, 100);
            content += testpdf::DrawImage("Photo", kPhoto.right - kPhoto.left, 0, 0, kPhoto.bottom - kPhoto.top,
                                          kPhoto.left, kPageHeight - kPhoto.bottom);
        }
        testpdf::Page& page = pdf.AddPage(content, kPageWidth, kPageHeight);
        if (photograph) page.extraResources = testpdf::XObjectResources({{"Photo", photo}});
        if (!pdf.Save(dir / "page.pdf")) return false;
        testpdf::RunProgram({"pdftoppm", "-r", "300", "-gray", "-singlefile", dir / "page.pdf", dir / "page"});
        if (!ReadGrey(dir / "page.pgm", scan)) return false;
        std::vector<testpdf::WordBox> boxes = testpdf::PdfWords(dir / "page.pdf", 1);
        size_t next = 0;
        for (const PrintedLine& line : kLines) {
            std::istringstream split(line.text);
            for (std::string text; split >> text; ++next) {
                if (next >= boxes.size() || boxes[next].text != text) return false;
                const testpdf::WordBox& box = boxes[next];
                printed.push_back({text, (box.left + box.right) / 2 * kPixelsPerPoint, line.baseline * kPixelsPerPoint,
                                 box.left * kPixelsPerPoint, box.right * kPixelsPerPoint, line.size * kPixelsPerPoint});
            }
        }
        return true;
    }

    testpdf::TempDir dir;
    Scan scan;
    std::vector<PrintedWord> printed;
    TextRecognizer recognizer{"eng"};
};

// How many of the printed words come back in their order (the longest common subsequence).
size_t WordsInOrder(const std::vector<PrintedWord>& printed, const RecognisedPage& page) {
    std::vector<std::vector<size_t>> common(printed.size() + 1, std::vector<size_t>(page.words.size() + 1));
    for (size_t i = 1; i <= printed.size(); ++i)
        for (size_t j = 1; j <= page.words.size(); ++j)
            common[i][j] = printed[i - 1].text == page.words[j - 1].text
                               ? common[i - 1][j - 1] + 1
                               : std::max(common[i - 1][j], common[i][j - 1]);
    return common.back().back();
}

const platform::RecognisedWord* Find(const RecognisedPage& page, const std::string& text) {
    for (const auto& word : page.words)
        if (word.text == text) return &word;
    return nullptr;
}

TEST_F(TextRecognitionTest, PrintedWordsComeBackInOrderAtTheirPlacesAndSizes) {
    RecognisedPage page = recognizer.Recognise(scan.Image());

    EXPECT_FALSE(page.cancelled);
    EXPECT_EQ(page.skewDegrees, 0);
    EXPECT_GE(WordsInOrder(printed, page), printed.size() * 95 / 100);
    for (const PrintedWord& word : printed) {
        const platform::RecognisedWord* found = Find(page, word.text);
        if (!found) continue;
        SCOPED_TRACE(word.text);
        // Ink lies inside the advance by a side bearing, up to a tenth of the size.
        EXPECT_NEAR(found->box.left, word.left, word.size * 0.1);
        EXPECT_NEAR(found->box.right, word.right, word.size * 0.1);
        EXPECT_NEAR(found->baseline, word.baseline, 3);
        EXPECT_NEAR(found->size, word.size, word.size * 0.1);
        EXPECT_GT(found->confidence, 50);
    }
    // The lines and the words of a line keep together.
    EXPECT_EQ(page.words.front().line, Find(page, "dog") ? Find(page, "dog")->line : -1);
    EXPECT_NE(page.words.front().line, page.words.back().line);
}

TEST_F(TextRecognitionTest, APageTurnedByOneDegreeGivesItsWordsPlacedAsOnTheLevelPage) {
    if (!platform::ProgramOnPath("convert")) GTEST_SKIP() << "ImageMagick missing";
    // ImageMagick turns clockwise about the middle and widens the canvas to hold the corners.
    testpdf::RunProgram({"convert", dir / "page.pgm", "-background", "white", "-rotate", "1", dir / "turned.pgm"});
    Scan turned;
    ASSERT_TRUE(ReadGrey(dir / "turned.pgm", turned));
    RecognisedPage page = recognizer.Recognise(turned.Image());

    EXPECT_NEAR(std::fabs(page.skewDegrees), 1, 0.3);
    EXPECT_GE(WordsInOrder(printed, page), printed.size() * 95 / 100);
    // Turned level about the middle of the wider canvas, the words stand where they were printed.
    for (const PrintedWord& word : printed) {
        const platform::RecognisedWord* found = Find(page, word.text);
        if (!found) continue;
        SCOPED_TRACE(word.text);
        const double x = turned.width / 2.0 + word.middle - scan.width / 2.0;
        const double y = turned.height / 2.0 + word.baseline - scan.height / 2.0;
        EXPECT_NEAR((found->box.left + found->box.right) / 2.0, x, 5);
        EXPECT_NEAR(found->baseline, y, 4);
    }
}

TEST_F(TextRecognitionTest, ACancelledRecognitionSaysSoAndGivesNoWords) {
    std::atomic<int32_t> cancel{1};
    RecognisedPage page = recognizer.Recognise(scan.Image(), &cancel);
    EXPECT_TRUE(page.cancelled);
    EXPECT_TRUE(page.words.empty());
}

TEST_F(TextRecognitionTest, APhotographBesideTheTextIsAPictureRegionAndNotWords) {
    ASSERT_TRUE(Print(true));
    RecognisedPage page = recognizer.Recognise(scan.Image());

    EXPECT_GE(WordsInOrder(printed, page), printed.size() * 95 / 100);
    ASSERT_EQ(page.pictures.size(), 1u);
    const platform::PixelBox& picture = page.pictures.front();
    EXPECT_NEAR(picture.left, kPhoto.left * kPixelsPerPoint, 10);
    EXPECT_NEAR(picture.top, kPhoto.top * kPixelsPerPoint, 10);
    EXPECT_NEAR(picture.right, kPhoto.right * kPixelsPerPoint, 10);
    EXPECT_NEAR(picture.bottom, kPhoto.bottom * kPixelsPerPoint, 10);
    for (const auto& word : page.words) EXPECT_LT(word.box.right, picture.left) << word.text;
}

// The language functions read the data folder and the locale from the
// environment; each test sets both and puts them back.
class OcrLanguagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"TESSDATA_PREFIX", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        for (const char* language : {"eng", "deu", "chi_tra", "osd"})
            testpdf::WriteFile(dir / (std::string(language) + ".traineddata"), "");
        setenv("TESSDATA_PREFIX", dir.path().c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    testpdf::TempDir dir;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(OcrLanguagesTest, TheInstalledLanguagesAreTheDataFilesOfTheDataFolderWithoutOsd) {
    EXPECT_EQ(platform::InstalledOcrLanguages(), (std::vector<std::string>{"chi_tra", "deu", "eng"}));
}

TEST_F(OcrLanguagesTest, AMissingLanguageNamesTheDebianPackageToInstall) {
    EXPECT_EQ(platform::MissingOcrLanguage("eng+deu"), "");
    EXPECT_EQ(platform::MissingOcrLanguage("eng+xyz"),
              "the OCR language data \"xyz\" is not installed (Debian package tesseract-ocr-xyz)");
    EXPECT_EQ(platform::MissingOcrLanguage("chi_sim+fra"),
              "the OCR language data \"chi_sim\" is not installed (Debian package tesseract-ocr-chi-sim)");
    EXPECT_NE(platform::MissingOcrLanguage("Frk").find("tesseract-ocr-frk"), std::string::npos);
    for (const char* odd : {"../eng", "eng+/tmp/x", "eng.traineddata"})
        EXPECT_NE(platform::MissingOcrLanguage(odd).find("is not an OCR language name"), std::string::npos) << odd;

    TextRecognizer recognizer("deu+ita");
    EXPECT_FALSE(recognizer.Ready());
    EXPECT_NE(recognizer.Problem().find("tesseract-ocr-ita"), std::string::npos);
}

TEST_F(OcrLanguagesTest, TheDefaultLanguageFollowsTheLocaleWhenItsDataIsInstalled) {
    EXPECT_EQ(platform::DefaultOcrLanguages(), "eng");
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(platform::DefaultOcrLanguages(), "deu");
    setenv("LC_MESSAGES", "zh_TW.UTF-8", 1);
    EXPECT_EQ(platform::DefaultOcrLanguages(), "chi_tra");
    setenv("LC_ALL", "fr_FR.UTF-8", 1);  // French data is not installed
    EXPECT_EQ(platform::DefaultOcrLanguages(), "eng");
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(platform::DefaultOcrLanguages(), "eng");
}

}  // namespace
