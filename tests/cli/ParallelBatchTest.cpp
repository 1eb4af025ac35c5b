#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/CliOptions.h"
#include "convert/CConvertWorker.h"
#include "platform/ChildProcess.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

// Five documents unlike each other: page counts, fonts, a link, an encrypted one.
void FiveDocuments(const TempDir& dir) {
    testpdf::NumberedPages(1).Save(dir / "one.pdf");
    testpdf::NumberedPages(7).Save(dir / "seven.pdf");
    testpdf::PdfWriter fonts;
    fonts.AddPage(testpdf::TextLine("Times and Courier", 72, 700, 14, "F2") + testpdf::TextLine("mono", 72, 680, 10, "F3"));
    fonts.Save(dir / "fonts.pdf");
    testpdf::PdfWriter link;
    testpdf::Page& page = link.AddPage(testpdf::TextLine("Visit the site", 72, 700));
    page.links.push_back({70, 695, 200, 715, "https://example.org/", 0, 0});
    link.Save(dir / "link.pdf");
    testpdf::NumberedPages(3).Save(dir / "plain.pdf");
    ASSERT_TRUE(testpdf::Encrypt(dir / "plain.pdf", dir / "locked.pdf", "pw", "owner"));
    fs::remove(dir / "plain.pdf");
}

std::vector<std::string> Sources(const TempDir& dir) {
    return {dir / "one.pdf", dir / "seven.pdf", dir / "fonts.pdf", dir / "link.pdf", dir / "locked.pdf"};
}

TEST(ParallelBatch, FourAtOnceGiveTheBytesOfOneAtATime) {
    TempDir dir;
    FiveDocuments(dir);
    for (const char* jobs : {"1", "4"}) {
        std::vector<std::string> argv = {testpdf::ConvertProgram(), "-q", "-j", jobs, "--password", "pw", "-o",
                                         dir / (std::string("out") + jobs)};
        for (const std::string& s : Sources(dir)) argv.push_back(s);
        auto r = testpdf::RunProgram(argv);
        ASSERT_EQ(r.status, 0) << r.errors;
    }
    for (const std::string& s : Sources(dir)) {
        std::string name = fs::path(s).stem().string() + ".rtf";
        std::string one = testpdf::ReadFile(dir / ("out1/" + name)), four = testpdf::ReadFile(dir / ("out4/" + name));
        EXPECT_FALSE(one.empty()) << name;
        EXPECT_EQ(one, four) << name;
    }
}

TEST(ParallelBatch, FailuresAreNamedAsInOneAtATime) {
    TempDir dir;
    FiveDocuments(dir);
    testpdf::WriteFile(dir / "broken.pdf", "not a PDF");
    auto r = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-j", "3", "-o", dir / "out", dir / "one.pdf",
                                  dir / "broken.pdf", dir / "locked.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("broken.pdf: unreadable or not a PDF"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("locked.pdf: encrypted: give its password with --password"), std::string::npos) << r.errors;
    EXPECT_TRUE(fs::exists(dir / "out/one.rtf"));
}

TEST(ParallelBatch, InterruptStopsEveryFileAndLeavesNoScratch) {
    TempDir dir;
    fs::create_directory(dir / "tmp");
    std::vector<std::string> argv = {testpdf::ConvertProgram(), "-q", "-j", "2", "-m", "formatted", "-o", dir / "out"};
    for (int i = 0; i < 4; ++i) {
        std::string name = dir / ("long" + std::to_string(i) + ".pdf");
        testpdf::NumberedPages(3000).Save(name);
        argv.push_back(name);
    }
    platform::ChildProcess batch;
    ASSERT_TRUE(batch.Start(argv, {"TMPDIR=" + dir / "tmp"}));
    // Until the first pages are written, so that the children are at work.
    for (int i = 0; i < 200 && !fs::exists(dir / "out"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    batch.Signal(SIGINT);  // the parent alone: it passes the request on
    std::vector<std::string> lines;
    while (batch.ReadLines(lines)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(batch.Wait(), 130);
    EXPECT_TRUE(fs::is_empty(dir / "tmp")) << "a workspace was left";
    for (const auto& entry : fs::directory_iterator(dir / "out")) {
        std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find("tmpd"), std::string::npos) << name;
        std::string rtf = testpdf::ReadFile(entry.path());
        ASSERT_FALSE(rtf.empty()) << name;
        EXPECT_EQ(rtf.substr(rtf.find_last_not_of("\r\n")), "}") << name << " is not closed";
    }
}

TEST(ParallelBatch, ChildArgumentsSayWhatTheRecordSays) {
    MyConvertPara para;
    para.outputDir = "/out dir";
    para.jobMode = ModeAsIs;
    para.SetDocFormat("odt");
    para.removeImages = 1;
    para.keepLines = true;
    para.pages.SelectListed("2,5-7");
    para.xmlCopyDir = "/out dir";
    para.ocrMode = OcrNever;
    para.ocrLanguages = "deu+fra";
    std::vector<std::string> argv = ChildArguments(para, "prog", "/in/a b.pdf");
    CliOptions o;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({argv.begin() + 1, argv.end()}, o, error)) << error;
    EXPECT_TRUE(o.child);
    EXPECT_EQ(o.outputDir, "/out dir");
    EXPECT_EQ(o.mode, ModeAsIs);
    EXPECT_EQ(o.format, "odt");
    EXPECT_TRUE(o.removeImages);
    EXPECT_TRUE(o.keepLines);
    EXPECT_TRUE(o.keepXml);
    EXPECT_EQ(o.pages, "2,5-7");
    EXPECT_EQ(o.ocrMode, OcrNever);
    EXPECT_EQ(o.ocrLanguages, "deu+fra");
    EXPECT_EQ(o.files, (std::vector<std::string>{"/in/a b.pdf"}));
    para.ocrMode = OcrAlways;
    para.ocrLanguages.clear();
    argv = ChildArguments(para, "prog", "/in/a b.pdf");
    CliOptions always;
    ASSERT_TRUE(ParseCommandLine({argv.begin() + 1, argv.end()}, always, error)) << error;
    EXPECT_EQ(always.ocrMode, OcrAlways);
    EXPECT_EQ(always.ocrLanguages, "");

    para.jobMode = ModeExtractImages;
    para.imageDevice = "png16m";
    argv = ChildArguments(para, "prog", "x.pdf");
    CliOptions images;
    ASSERT_TRUE(ParseCommandLine({argv.begin() + 1, argv.end()}, images, error)) << error;
    EXPECT_EQ(images.imageDevice, "png16m");
}

}  // namespace
