#include <gtest/gtest.h>

#include <filesystem>

#include "RtfChecks.h"
#include "app/DefaultEngines.h"
#include "convert/CConvertDoc.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

struct Converted {
    std::string xml, rtf;
};

Converted Convert(const TempDir& dir, const std::string& pdf, int mode) {
    MyConvertPara para;
    para.inputPath = pdf;
    para.outputDir = dir / std::to_string(mode);
    fs::create_directories(para.outputDir);
    para.pageFlags = 1;
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
    for (int mode : {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly}) {
        Converted c = Convert(dir, dir / "turned.pdf", mode);
        EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{}) << "mode " << mode;
        EXPECT_EQ(rtfcheck::GeometryFault(c.rtf), "") << "mode " << mode;
        std::string text = rtfcheck::VisibleText(c.rtf);
        EXPECT_NE(text.find("Flip"), std::string::npos) << "mode " << mode;
        EXPECT_EQ(text.find("pilF"), std::string::npos) << "mode " << mode;
    }
}

TEST(AsIsConversion, FramesAndShapesOfOneDocumentAreTheSameBytesEveryTime) {
    TempDir dir;
    TurnedDocument().Save(dir / "turned.pdf");
    Converted first = Convert(dir, dir / "turned.pdf", ModeAsIs);
    Converted second = Convert(dir, dir / "turned.pdf", ModeAsIs);
    EXPECT_EQ(first.rtf, second.rtf);
    EXPECT_NE(first.rtf.find("\\pard \\pvpg\\phpg\\posx1440\\posy"), std::string::npos) << first.rtf;
    // Each text shape has an id of its own, counted from 1 in every document.
    EXPECT_NE(first.rtf.find("\\shplid1\n"), std::string::npos);
    EXPECT_NE(first.rtf.find("\\shplid2\n"), std::string::npos);
    EXPECT_EQ(first.rtf.find("\\paperw12240\\paperh15840"), first.rtf.find("\\paperw"));
}
