// Where a page's text comes from: its own drawn text, a scan's hidden text layer,
// or words a recognizer found on the page's picture.
#include <gtest/gtest.h>

#include <map>

#include "ExtractRun.h"
#include "RecognitionStandIn.h"
#include "XmlLineGrammar.h"
#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "extract/HtmlOutputDev.h"
#include "support/RtfText.h"
#include "support/TempDir.h"

using namespace extracttest;
using testpdf::PdfWriter;

namespace {

// What each fontspec id of the document says: its family and size.
std::map<int, std::pair<std::string, std::string>> FontsById(const std::string& xml) {
    std::map<int, std::pair<std::string, std::string>> fonts;
    for (const std::string& line : Lines(xml))
        if (line.rfind("\t<fontspec ", 0) == 0)
            fonts[IntAttr(line, "id")] = {Attr(line, "family"), Attr(line, "size")};
    return fonts;
}

// The text layer of a scan as OCR tools write it: the words in render mode 3 (or 7).
std::string ScanLayer(const char* mode) {
    return std::string("BT ") + mode + " Tr /F2 12 Tf 72 700 Td (Scanned page words) Tj ET\n" + "BT " + mode +
           " Tr /F2 10 Tf 72 680 Td (second line) Tj ET\n";
}

}  // namespace

TEST(PageTextSource, AHiddenLayerIsLeftOutForThePagesOwnTextAndWrittenAsDrawnTextWhenChosen) {
    PdfWriter hidden;
    hidden.AddPage("0.8 g 36 36 540 720 re f\n" + ScanLayer("3"));
    PdfWriter shown;
    shown.AddPage("0.8 g 36 36 540 720 re f\n" + ScanLayer("0"));

    RecognitionStandIn own;
    EXPECT_TRUE(Elements(ExtractWith(hidden, own)).empty());
    ASSERT_EQ(own.asked.size(), 1u);
    EXPECT_EQ(own.asked[0].page, 1);
    EXPECT_TRUE(own.asked[0].invisibleText);
    EXPECT_FALSE(own.asked[0].visibleText);
    EXPECT_EQ(own.asked[0].textShare, 0);
    EXPECT_TRUE(own.recognisedPages.empty());

    RecognitionStandIn layer;
    layer.source = PageTextSource::HiddenLayer;
    const std::string xml = ExtractWith(hidden, layer);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(PageLines(xml, 1), PageLines(Extract(shown), 1));
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"Scanned", "page", "words", "second", "line"}));
}

TEST(PageTextSource, WithoutARecognitionInvisibleTextLeavesTheXmlAsIfItWereNotThere) {
    // Today's file: the invisible operations set their fonts but draw no characters.
    PdfWriter hidden;
    hidden.AddPage(Show("shown", 72, 600) + ScanLayer("3") + "BT 7 Tr /F3 9 Tf 72 500 Td (clip) Tj ET\n");
    PdfWriter empty;
    empty.AddPage(Show("shown", 72, 600) + "BT 3 Tr /F2 12 Tf 72 700 Td () Tj ET\nBT 3 Tr /F2 10 Tf 72 680 Td () Tj ET\n" +
                  "BT 7 Tr /F3 9 Tf 72 500 Td () Tj ET\n");
    EXPECT_EQ(Extract(hidden), Extract(empty));
}

TEST(PageTextSource, RecognisedWordsBecomeTextInPlainFacesBesideTheDrawnTextEscapedAsDrawnTextIs) {
    PdfWriter pdf;
    pdf.AddPage(Show("Heading", 72, 750));
    pdf.AddPage("0.8 g 36 36 540 720 re f\n");
    RecognitionStandIn recognition;
    recognition.source = PageTextSource::Recognised;
    recognition.words = {Word("Grand", 100, 160, 300, 18), Word("caf\xc3\xa9", 170, 215, 300, 18, false),
                         Word("\xc5\x81\xc3\xb3" "d\xc5\xba", 225, 280, 300, 18, false, true),
                         Word("x<y&\"z\"", 100, 170, 330, 15)};
    const std::string xml = ExtractWith(pdf, recognition);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(recognition.recognisedPages, (std::vector<int>{1, 2}));
    ASSERT_EQ(recognition.asked.size(), 2u);
    EXPECT_TRUE(recognition.asked[0].visibleText);
    EXPECT_FALSE(recognition.asked[1].visibleText);

    const std::vector<std::string> words = {"Grand", "caf\xe9", "\\uc1\\u321X\xf3" "d\\uc1\\u378X",
                                            "x&lt;y&amp;&quot;z&quot;"};
    std::vector<std::string> page1 = {"Heading"};
    page1.insert(page1.end(), words.begin(), words.end());
    std::vector<std::string> expected = page1;
    expected.insert(expected.end(), words.begin(), words.end());
    EXPECT_EQ(Contents(xml), expected);

    const auto fonts = FontsById(xml);
    const std::vector<std::pair<std::string, std::string>> faces = {
        {"Times New Roman", "12"}, {"Arial", "12"}, {"Courier New", "12"}, {"Times New Roman", "10"}};
    const std::vector<TextElement> elements = Elements(xml);
    ASSERT_EQ(elements.size(), 9u);
    for (size_t i = 0; i < 8; ++i) {
        const TextElement& e = elements[i + 1];
        const RecognisedWord& w = recognition.words[i % 4];
        EXPECT_EQ(fonts.at(e.font), faces[i % 4]) << e.content;
        EXPECT_EQ(e.left, static_cast<int>(w.left)) << e.content;
        EXPECT_NEAR(e.left + e.width, w.right, 2) << e.content;
        EXPECT_LE(e.top, w.top) << e.content;
        EXPECT_GT(e.top + e.height, w.baseline) << e.content;
        EXPECT_LT(e.height, 1.5 * w.size) << e.content;
        EXPECT_NE(e.dataLine.find("style=\"0\""), std::string::npos);
    }
    // The fonts are the document's: the second page names no new one.
    for (const std::string& line : PageLines(xml, 2)) EXPECT_NE(line.rfind("\t<fontspec", 0), 0u) << line;
    const std::map<std::string, std::string> kinds = {
        {"Times New Roman", "serif"}, {"Arial", "sans"}, {"Courier New", "mono"}};
    for (const std::string& line : PageLines(xml, 1)) {
        auto kind = kinds.find(Attr(line, "family"));
        if (kind == kinds.end()) continue;
        EXPECT_EQ(Attr(line, "color"), "#000000");
        EXPECT_EQ(Attr(line, "face"), kind->second);
    }
}

TEST(PageTextSource, ARecognisedWordOverTheSameDrawnWordIsKeptOnceAndNotMadeBold) {
    PdfWriter pdf;
    pdf.AddPage(Show("Heading", 72, 750));  // from 108 units, baseline at 63
    RecognitionStandIn recognition;
    recognition.source = PageTextSource::Recognised;
    // Its box reaches lower than Helvetica's: a baseline a little higher brings the two together.
    recognition.words = {Word("Heading", 109, 170, 61, 18, false)};
    const std::vector<TextElement> elements = Elements(ExtractWith(pdf, recognition));
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].content, "Heading");
    EXPECT_NE(elements[0].dataLine.find("style=\"0\""), std::string::npos);
}

TEST(PageTextSource, TheShareOfThePageCoveredByVisibleTextIsMeasured) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));  // 0.8 em above the baseline, 0.2 below, 0.5 wide
    std::string content;
    // Four lines of ten letters, 36 points: each box 270 by 54 units; the first is drawn twice.
    for (double y : {700, 650, 600, 550}) content += Show("XXXXXXXXXX", 72, y, 36, "M");
    content += Show("XXXXXXXXXX", 72, 700, 36, "M");
    content += "BT 3 Tr /M 36 Tf 72 400 Td (XXXXXXXXXX) Tj ET\n";
    pdf.AddPage(content);
    RecognitionStandIn recognition;
    ExtractWith(pdf, recognition);
    ASSERT_EQ(recognition.asked.size(), 1u);
    EXPECT_TRUE(recognition.asked[0].visibleText);
    EXPECT_TRUE(recognition.asked[0].invisibleText);
    EXPECT_NEAR(recognition.asked[0].textShare, 4.0 * 270 * 54 / (918.0 * 1188), 0.003);
}

TEST(PageTextSource, RecognisedWordsReachTheFlowingRtfInReadingOrder) {
    testpdf::TempDir dir;
    PdfWriter pdf;
    pdf.AddPage("0.9 g 50 50 500 700 re f\n");
    pdf.Save(dir / "scan.pdf");
    RecognitionStandIn recognition;
    recognition.source = PageTextSource::Recognised;
    // Letters half an em wide, blanks a third: words as a line of 12-point type sets them.
    const char* lines[][3] = {{"Recognised", "words", "reach"}, {"the", "flowing", "document"}};
    double baseline = 200;
    for (const auto& line : lines) {
        double x = 108;
        for (const char* text : line) {
            const double right = x + 9.0 * static_cast<double>(std::string(text).size());
            recognition.words.push_back(Word(text, x, right, baseline, 18));
            x = right + 6;
        }
        baseline += 24;
    }
    ConvertEngines engines = DefaultEngines();
    engines.makeTextDevice = [&recognition](const TextDeviceSpec& spec) {
        std::unique_ptr<OutputDev> device = DefaultEngines().makeTextDevice(spec);
        if (auto* html = dynamic_cast<HtmlOutputDev*>(device.get())) html->SetPageRecognition(&recognition);
        return device;
    };
    MyConvertPara para;
    para.inputPath = dir / "scan.pdf";
    para.outputDir = dir.path();
    para.jobMode = ModeFlowingText;
    ASSERT_EQ(ConvertFile(para, engines), 0);
    const std::string text = testpdf::RtfPlainText(testpdf::ReadFile(dir / "scan.rtf"));
    size_t at = 0;
    for (const RecognisedWord& word : recognition.words) {
        at = text.find(word.text, at);
        ASSERT_NE(at, std::string::npos) << word.text << " in " << text;
    }
    EXPECT_NE(text.find("Recognised words reach the flowing document"), std::string::npos) << text;
}
