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
