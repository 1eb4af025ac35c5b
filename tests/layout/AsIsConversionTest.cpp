#include <gtest/gtest.h>

#include <filesystem>

#include "support/RtfChecks.h"
#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

const int kLayouts[] = {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly};

struct Converted {
    std::string xml, rtf;
};

Converted Convert(const TempDir& dir, const std::string& pdf, int mode) {
    MyConvertPara para;
    para.inputPath = pdf;
    para.outputDir = dir / std::to_string(mode);
    fs::create_directories(para.outputDir);
    para.jobMode = mode;
    para.xmlCopyPath = dir / "kept.xml";
    EXPECT_EQ(ConvertFile(para), 0);
    return {testpdf::ReadFile(dir / "kept.xml"),
            testpdf::ReadFile(fs::path(para.outputDir) / (fs::path(pdf).stem().string() + ".rtf"))};
}

std::string Shown(const std::string& matrix, const std::string& text) {
    return "BT /F2 11 Tf " + matrix + " Tm (" + text + ") Tj ET\n";
}

// An upright page with pieces turned every way, and pages turned both ways holding
// lines drawn in every direction.
testpdf::PdfWriter TurnedDocument() {
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Upright heading", 72, 720, 12, "F2") + Shown("0 1 -1 0 300 300", "Going up here") +
                Shown("0 -1 1 0 400 600", "Going down there") + Shown("-1 0 0 -1 300 200", "Flip side"));
    for (int rotate : {90, 270}) {
        testpdf::Page& turned =
            pdf.AddPage(Shown("1 0 0 1 72 500", "Level words") + Shown("0 1 -1 0 200 200", "Rising words") +
                        Shown("0 -1 1 0 300 600", "Falling words") + Shown("-1 0 0 -1 400 300", "Headstand words"));
        turned.rotate = rotate;
    }
    return pdf;
}

}  // namespace

// Pieces and lines turned against their page keep their words in every layout: as
// text shapes, as lines of the page's flow, or as paragraphs where no shape fits.
TEST(AsIsConversion, TurnedTextKeepsEveryWordInEveryLayout) {
    TempDir dir;
    TurnedDocument().Save(dir / "turned.pdf");
    for (int mode : kLayouts) {
        Converted c = Convert(dir, dir / "turned.pdf", mode);
        EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{}) << "mode " << mode;
        EXPECT_EQ(rtfcheck::GeometryFault(c.rtf), "") << "mode " << mode;
        std::string text = rtfcheck::VisibleText(c.rtf);
        EXPECT_NE(text.find("Flip"), std::string::npos) << "mode " << mode;
        EXPECT_EQ(text.find("pilF"), std::string::npos) << "mode " << mode;
        // The text layouts hold words and paragraphs only, never a text box.
        if (mode == ModeTextOnly || mode == ModeFormattedText) {
            EXPECT_EQ(c.rtf.find("\\shp"), std::string::npos) << "mode " << mode;
        }
    }
}

TEST(AsIsConversion, FramesAndShapesOfOneDocumentAreTheSameBytesEveryTime) {
    TempDir dir;
    TurnedDocument().Save(dir / "turned.pdf");
    Converted first = Convert(dir, dir / "turned.pdf", ModeAsIs);
    Converted second = Convert(dir, dir / "turned.pdf", ModeAsIs);
    EXPECT_EQ(first.rtf, second.rtf);
    EXPECT_NE(first.rtf.find("{\\shp{\\*\\shpinst\\shpleft1440\\shptop"), std::string::npos) << first.rtf;
    // Each text box and text shape has an id of its own, counted from 1 in every document.
    EXPECT_NE(first.rtf.find("\\shplid1{"), std::string::npos);
    EXPECT_NE(first.rtf.find("\\shplid2{"), std::string::npos);
    EXPECT_EQ(first.rtf.find("\\paperw12240\\paperh15840"), first.rtf.find("\\paperw"));
}

namespace {

testpdf::PdfWriter VerticalDocument() {
    testpdf::PdfWriter pdf;
    pdf.AddVerticalFont("V", {0x65E5, 0x672C, 0x8A9E, 0x3092, 0x7E26, 0x306B, 0x66F8, 0x304F, 0x3002});
    pdf.AddPage("BT /V 20 Tf 1 0 0 1 500 700 Tm " + testpdf::VerticalCodes(1, 6) + " Tj ET\n" +
                "BT /V 20 Tf 1 0 0 1 470 700 Tm " + testpdf::VerticalCodes(7, 3) + " Tj ET\n" +
                testpdf::TextLine("A Latin line", 72, 700, 12, "F2"));
    return pdf;
}

}  // namespace

// Columns of vertical writing are boxes whose text runs down the page in "AS IS", and
// ordinary text elsewhere; every character stays, right-most column first.
TEST(AsIsConversion, VerticalWritingKeepsEveryCharacterInEveryLayout) {
    TempDir dir;
    VerticalDocument().Save(dir / "vertical.pdf");
    for (int mode : kLayouts) {
        Converted c = Convert(dir, dir / "vertical.pdf", mode);
        std::string text = rtfcheck::VisibleText(c.rtf);
        size_t right = text.find("日本語を縦に"), left = text.find("書く。");
        EXPECT_NE(right, std::string::npos) << "mode " << mode << ": " << text;
        EXPECT_NE(left, std::string::npos) << "mode " << mode << ": " << text;
        EXPECT_LT(right, left) << "mode " << mode;
        EXPECT_NE(text.find("A Latin line"), std::string::npos) << "mode " << mode;
        if (mode == ModeAsIs) {
            const size_t column = c.rtf.find("\\shpleft10000\\shptop1440\\shpright10475\\shpbottom");
            ASSERT_NE(column, std::string::npos) << c.rtf;
            EXPECT_LT(c.rtf.find("{\\sp{\\sn txflTextFlow}{\\sv 1}}", column), c.rtf.find("\\shptxt", column));
        }
    }
}

namespace {

// The RTF's sections, split at the page breaks.
std::vector<std::string> Sections(const std::string& rtf) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t p = rtf.find("\\sect\\sectd"); p != std::string::npos; p = rtf.find("\\sect\\sectd", start)) {
        out.push_back(rtf.substr(start, p - start));
        start = p + 1;
    }
    out.push_back(rtf.substr(start));
    return out;
}

// A first page with only a picture (or nothing at all), then two pages of text.
testpdf::PdfWriter PictureFirst(bool withPicture) {
    testpdf::PdfWriter pdf;
    int picture = pdf.AddRgbImage(testpdf::RgbSamples(8, 8, [](int, int) { return testpdf::Rgb{200, 30, 30}; }), 8, 8);
    testpdf::Page& first = pdf.AddPage(withPicture ? testpdf::DrawImage("Im", 200, 0, 0, 200, 100, 400) : "");
    if (withPicture) first.extraResources = testpdf::XObjectResources({{"Im", picture}});
    pdf.AddPage(testpdf::TextLine("Second page words", 72, 700, 12, "F2"));
    pdf.AddPage(testpdf::TextLine("Third page words", 72, 700, 12, "F2"));
    return pdf;
}

}  // namespace

// Every source page is a section of its own with its paper: what a page holds stays on
// that page, whatever it holds.
TEST(AsIsConversion, APageWithoutTextIsStillAPageOfItsOwn) {
    TempDir dir;
    for (bool withPicture : {true, false}) {
        SCOPED_TRACE(withPicture ? "a picture on the first page" : "an empty first page");
        PictureFirst(withPicture).Save(dir / "first.pdf");
        for (int mode : kLayouts) {
            SCOPED_TRACE(mode);
            Converted c = Convert(dir, dir / "first.pdf", mode);
            std::vector<std::string> sections = Sections(c.rtf);
            ASSERT_EQ(sections.size(), 3u) << c.rtf;
            EXPECT_NE(sections[0].find("\\paperw12240\\paperh15840"), std::string::npos);
            EXPECT_EQ(sections[0].find("Second"), std::string::npos);
            if (withPicture && (mode == ModeAsIs || mode == ModeFlowingText)) {
                EXPECT_NE(sections[0].find("\\pict"), std::string::npos);
            }
            EXPECT_NE(sections[1].find("Second"), std::string::npos);
            EXPECT_NE(sections[2].find("Third"), std::string::npos);
        }
    }
}

namespace {

// Ten justified lines, each word placed on its own as justifying producers do.
testpdf::PdfWriter JustifiedParagraph() {
    const std::vector<std::string> words = {"lorem", "ipsum", "dolor",      "sit",        "amet",   "consectetur",
                                            "adipiscing", "elit", "sed",    "eiusmod",    "tempor", "incididunt"};
    std::string content;
    unsigned seed = 7;
    for (int line = 0; line < 10; ++line) {
        std::vector<std::string> row;
        double letters = 0;
        for (int k = 0; k < 12; ++k) {
            seed = seed * 1103515245u + 12345u;
            row.push_back(words[(seed >> 16) % words.size()]);
            letters += row.back().size();
        }
        // Times at 11 points: about 5 points a letter; the gaps (an em or less) take up
        // the rest of the column's 470 points.
        double gap = (470 - letters * 5) / (row.size() - 1), x = 72;
        for (const std::string& w : row) {
            content += testpdf::TextLine(w, x, 700 - line * 14, 11, "F2");
            x += w.size() * 5 + gap;
        }
    }
    testpdf::PdfWriter pdf;
    pdf.AddPage(content);
    return pdf;
}

size_t TextBoxes(const std::string& rtf) {
    size_t n = 0;
    for (size_t p = rtf.find("{\\shp{"); p != std::string::npos; p = rtf.find("{\\shp{", p + 1)) ++n;
    return n;
}

}  // namespace

// A line is one text box, whatever the number of pieces the extraction cut it into;
// its words keep their order.
TEST(AsIsConversion, AJustifiedParagraphOfTenLinesGivesTenBoxes) {
    TempDir dir;
    JustifiedParagraph().Save(dir / "justified.pdf");
    Converted c = Convert(dir, dir / "justified.pdf", ModeAsIs);
    EXPECT_LE(TextBoxes(c.rtf), 10u) << c.rtf;
    EXPECT_GE(TextBoxes(c.rtf), 10u);
    EXPECT_EQ(c.rtf.find("\\pvpg"), std::string::npos);
    EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{});
    EXPECT_EQ(rtfcheck::DuplicatedCharacters(c.xml, c.rtf), "");
}

namespace {

struct Box {
    std::string text;  // the visible words
    int flow = 0;      // 0 level, 1 down the page, 2 up the page
    long left = 0, top = 0, right = 0, bottom = 0;
};

std::vector<Box> Boxes(const std::string& rtf) {
    std::vector<Box> out;
    for (size_t p = rtf.find("{\\shp{"); p != std::string::npos; p = rtf.find("{\\shp{", p + 1)) {
        size_t end = rtf.find("\\par}}}", p);
        size_t txt = rtf.find("{\\shptxt", p);
        if (end == std::string::npos || txt == std::string::npos || txt > end) continue;
        std::string shape = rtf.substr(p, end - p);
        Box b;
        b.text = rtfcheck::VisibleText("{\\rtf1 " + rtf.substr(txt + 9, end - txt - 9) + "}");
        b.text.erase(0, b.text.find_first_not_of(' '));
        b.text.erase(b.text.find_last_not_of(' ') + 1);
        auto number = [&](const std::string& word) {
            size_t q = shape.find(word);
            return q == std::string::npos ? -1L : std::stol(shape.substr(q + word.size()));
        };
        b.left = number("\\shpleft");
        b.top = number("\\shptop");
        b.right = number("\\shpright");
        b.bottom = number("\\shpbottom");
        b.flow = std::max(0L, number("{\\sn txflTextFlow}{\\sv "));
        out.push_back(b);
    }
    return out;
}

const Box* Holding(const std::vector<Box>& boxes, const std::string& word) {
    for (const Box& b : boxes)
        if (b.text.find(word) != std::string::npos) return &b;
    return nullptr;
}

}  // namespace

// A caption turned in the margin of an upright page, a turned page number, and the
// words of a page turned by its viewer: each turned line is one box at its place whose
// text runs up or down the page, its words in reading order.
TEST(AsIsConversion, ATurnedLineIsOneTurnedBoxAtItsPlace) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Upright heading", 72, 720, 12, "F1") +
                "BT /F1 12 Tf 0 1 -1 0 40 300 Tm (Turned margin caption here) Tj ET\n" +
                "BT /F1 9 Tf 0 1 -1 0 580 60 Tm (B-1191) Tj ET\n" +
                "BT /F1 12 Tf 0 -1 1 0 400 600 Tm (Going down there) Tj ET\n");
    pdf.AddPage(testpdf::TextLine("Name Quantity", 72, 700, 12, "F1") + Shown("-1 0 0 -1 400 300", "Headstand words"))
        .rotate = 90;
    pdf.Save(dir / "turned.pdf");
    Converted c = Convert(dir, dir / "turned.pdf", ModeAsIs);
    std::vector<Box> boxes = Boxes(c.rtf);
    const Box* caption = Holding(boxes, "caption");
    ASSERT_TRUE(caption) << c.rtf;
    EXPECT_EQ(caption->text, "Turned margin caption here");
    EXPECT_EQ(caption->flow, 2);
    // At the left margin (40 points are 800 twips), reaching up from 300 points above the bottom.
    EXPECT_LT(caption->left, 800);
    EXPECT_GT(caption->right, 600);
    EXPECT_NEAR(caption->bottom, (792 - 300) * 20, 60);
    EXPECT_GT(caption->bottom - caption->top, 2400);
    const Box* number = Holding(boxes, "1191");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->text, "B-1191");
    EXPECT_GT(number->left, 11000);
    EXPECT_GT(number->top, 13000);
    const Box* down = Holding(boxes, "down");
    ASSERT_TRUE(down);
    EXPECT_EQ(down->text, "Going down there");
    EXPECT_EQ(down->flow, 1);
    // The page turned by its viewer: its lines drawn level in the file run down the page
    // as it is shown, and its upside-down words stay in one box.
    const Box* name = Holding(boxes, "Quantity");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text, "Name Quantity");
    EXPECT_EQ(name->flow, 1);
    const Box* headstand = Holding(boxes, "Headstand");
    ASSERT_TRUE(headstand);
    EXPECT_EQ(headstand->text, "Headstand words");
    EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{});
    EXPECT_EQ(rtfcheck::DuplicatedCharacters(c.xml, c.rtf), "");
}
