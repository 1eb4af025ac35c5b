#include <gtest/gtest.h>

#include "convert/CConvertDoc.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace {

// The default layout and "AS IS" must not hand the user an empty document
// while their own writers are missing: their pages carry the words as paragraphs.
TEST(InterimLayouts, FlowingAndAsIsKeepEveryWord) {
    testpdf::TempDir dir;
    testpdf::PdfWriter pdf;
    pdf.AddPage(testpdf::TextLine("Heliotrope", 72, 700) + testpdf::TextLine("Marigold", 72, 680));
    pdf.AddPage(testpdf::TextLine("Snapdragon", 72, 700));
    pdf.Save(dir / "doc.pdf");
    for (int mode : {ModeFlowingText, ModeAsIs}) {
        MyConvertPara para;
        para.inputPath = dir / "doc.pdf";
        para.outputDir = dir.path();
        para.jobMode = mode;
        para.pageFlags = 1;
        ConvertFile(para);
        std::string rtf = testpdf::ReadFile(dir / "doc.rtf");
        for (const char* word : {"Heliotrope", "Marigold", "Snapdragon"})
            EXPECT_NE(rtf.find(word), std::string::npos) << "mode " << mode << ": " << word;
        EXPECT_NE(rtf.find("\\sbkpage"), std::string::npos);
    }
}

}  // namespace
