#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

// Converts `pdf` in every layout; each job must end, leave no workspace, and
// either fail or write a closed document.
void ConvertsOrFailsCleanly(const TempDir& dir, const std::string& pdf) {
    for (int mode : {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly}) {
        SCOPED_TRACE(pdf + " in mode " + std::to_string(mode));
        MyConvertPara para;
        para.inputPath = pdf;
        para.outputDir = dir / "out";
        fs::create_directories(para.outputDir);
        para.jobMode = mode;
        auto start = std::chrono::steady_clock::now();
        ConvertFile(para);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(120));
        EXPECT_FALSE(fs::exists(para.workDir));
        std::string rtf = testpdf::ReadFile(para.rtfPath);
        if (para.jobResult == ResultDone) {
            ASSERT_FALSE(rtf.empty());
            EXPECT_EQ(rtf.back() == '\n' ? rtf[rtf.find_last_not_of("\r\n")] : rtf.back(), '}');
        }
        fs::remove(para.rtfPath);
    }
}

TEST(HostileInput, TruncatedFilesEndInEveryLayout) {
    TempDir dir;
    std::string whole = testpdf::NumberedPages(3).Build();
    for (size_t cut : {size_t{9}, whole.size() / 4, whole.size() / 2, whole.size() - 40, whole.size() - 1}) {
        std::string path = dir / ("cut" + std::to_string(cut) + ".pdf");
        testpdf::WriteFile(path, whole.substr(0, cut));
        ConvertsOrFailsCleanly(dir, path);
    }
}

TEST(HostileInput, BrokenCrossReferenceEndsInEveryLayout) {
    TempDir dir;
    std::string pdf = testpdf::NumberedPages(2).Build();
    size_t xref = pdf.rfind("xref");
    ASSERT_NE(xref, std::string::npos);
    // Every offset of the table points into nowhere.
    for (size_t i = pdf.find('\n', xref); i < pdf.size() && pdf.compare(i + 1, 7, "trailer") != 0; ++i)
        if (std::isdigit(static_cast<unsigned char>(pdf[i])) && pdf[i - 1] != ' ' && i > xref + 8) pdf[i] = '9';
    testpdf::WriteFile(dir / "xref.pdf", pdf);
    ConvertsOrFailsCleanly(dir, dir / "xref.pdf");
}

TEST(HostileInput, FormsThatDrawEachOtherEndInEveryLayout) {
    TempDir dir;
    testpdf::PdfWriter w;
    testpdf::Page& page = w.AddPage(testpdf::TextLine("Around and around", 72, 700) + "/Fa Do\n");
    const int expectedFirst = 3;  // the writer numbers added objects from 3
    int first = w.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /XObject << /Fb " +
                                std::to_string(expectedFirst + 1) + " 0 R >> >>",
                            "/Fb Do\n");
    ASSERT_EQ(first, expectedFirst);
    int second = w.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /XObject << /Fa " +
                                 std::to_string(first) + " 0 R >> >>",
                             "BT /F1 9 Tf 72 600 Td (inside) Tj ET /Fa Do\n");
    ASSERT_EQ(second, first + 1);
    page.extraResources = "/XObject << /Fa " + std::to_string(first) + " 0 R >>";
    w.Save(dir / "loop.pdf");
    ConvertsOrFailsCleanly(dir, dir / "loop.pdf");
}

TEST(HostileInput, HugePagesAndAbsurdCoordinatesEndInEveryLayout) {
    TempDir dir;
    testpdf::PdfWriter w;
    w.AddPage(testpdf::TextLine("Far corner", 14000, 14000) + testpdf::TextLine("Beyond", 1e30, -1e30) +
                  "BT /F1 1e20 Tf 10 10 Td (giant) Tj ET BT /F1 12 Tf 1e-30 0 0 1e-30 50 50 Tm (tiny) Tj ET",
              14400, 14400);
    w.AddPage(testpdf::TextLine("Upside", 72, 72), 0.5, 0.5);
    w.Save(dir / "huge.pdf");
    ConvertsOrFailsCleanly(dir, dir / "huge.pdf");
}

}  // namespace
