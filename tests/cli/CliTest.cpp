#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "app/DefaultEngines.h"
#include "cli/CliBatch.h"
#include "cli/CliOptions.h"
#include "platform/TextRecognition.h"
#include "support/PdfWriter.h"
#include "support/RtfTestXml.h"
#include "support/RtfText.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

// Runs the converter with its temp folder inside the test's own folder, so
// that left-over workspaces can be seen.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        tmp = dir / "tmp";
        fs::create_directory(tmp);
        const char* old = std::getenv("TMPDIR");
        oldTmp = old ? old : "";
        hadTmp = old != nullptr;
        setenv("TMPDIR", tmp.c_str(), 1);
    }
    void TearDown() override {
        if (hadTmp) setenv("TMPDIR", oldTmp.c_str(), 1);
        else unsetenv("TMPDIR");
    }
    platform::ProcessResult Convert(std::vector<std::string> args) {
        args.insert(args.begin(), testpdf::ConvertProgram());
        return testpdf::RunProgram(args, dir.path());
    }
    std::string Pdf(int pages, const std::string& name) {
        testpdf::NumberedPages(pages).Save(dir / name);
        return dir / name;
    }
    bool WorkspaceLeft() const { return !fs::is_empty(tmp); }

    TempDir dir;
    std::string tmp, oldTmp;
    bool hadTmp = false;
};

TEST_F(CommandLine, VerboseRunNamesOnlyTheSelectedPages) {
    Pdf(10, "ten-pages.pdf");
    auto r = Convert({"-v", "-m", "text", "-p", "3-5", "-o", "out/", "ten-pages.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    std::regex started("Conversion of <(\\d+)> page started\\.");
    std::vector<std::string> pages;
    for (std::sregex_iterator it(r.errors.begin(), r.errors.end(), started), end; it != end; ++it)
        pages.push_back((*it)[1]);
    EXPECT_EQ(pages, (std::vector<std::string>{"3", "4", "5"}));
    EXPECT_NE(r.errors.find("Reading text content from pdf started."), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "out/ten-pages.rtf"));
    EXPECT_NE(r.output.find("out/ten-pages.rtf"), std::string::npos);
    EXPECT_FALSE(WorkspaceLeft());
}

TEST_F(CommandLine, QuietRunPrintsNothingAndKeepsXml) {
    Pdf(2, "a.pdf");
    auto r = Convert({"-q", "--keep-xml", "-o", "res", "a.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.errors, "");
    EXPECT_TRUE(fs::exists(dir / "res/a.rtf"));
    std::string xml = testpdf::ReadFile(dir / "res/a.xml");
    EXPECT_NE(xml.find("<pdf2xml"), std::string::npos);
    EXPECT_NE(xml.find("</pdf2xml>"), std::string::npos);
}

TEST_F(CommandLine, FailuresNameTheFileAndTheReason) {
    std::string plain = Pdf(3, "plain.pdf");
    ASSERT_TRUE(testpdf::Encrypt(plain, dir / "locked.pdf", "pw", "owner"));
    testpdf::WriteFile(dir / "notes.pdf", "just some text\n");

    auto r = Convert({"-q", "locked.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("locked.pdf: encrypted: give its password with --password"), std::string::npos);

    r = Convert({"-q", "--password", "wrong", "locked.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("locked.pdf: encrypted: wrong password"), std::string::npos);

    r = Convert({"-q", "--password", "pw", "-o", "ok", "locked.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_TRUE(fs::exists(dir / "ok/locked.rtf"));

    // The owner password alone opens the file too, and draws no complaint from the PDF core.
    r = Convert({"--password", "owner", "-o", "owned", "locked.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.errors.find("Incorrect password"), std::string::npos) << r.errors;
    EXPECT_NE(testpdf::RtfPlainText(testpdf::ReadFile(dir / "owned/locked.rtf")).find("Page 3 of the test document"),
              std::string::npos);

    r = Convert({"-q", "notes.pdf", "absent.pdf", "plain.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("notes.pdf: unreadable or not a PDF"), std::string::npos);
    EXPECT_NE(r.errors.find("absent.pdf: no such file"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "plain.rtf"));  // one bad file does not stop the batch

    r = Convert({"-q", "-p", "7-9", "plain.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("plain.pdf: the page list selects none of its 3 pages"), std::string::npos);
    EXPECT_FALSE(WorkspaceLeft());
}

TEST_F(CommandLine, UnwritableOutputFolder) {
    Pdf(1, "a.pdf");
    fs::create_directory(dir / "ro");
    std::vector<std::string> argv = {testpdf::ConvertProgram(), "-o", "ro", "a.pdf"};
    if (geteuid() == 0) {
        // Root writes everywhere: the converter runs as an ordinary user, as people run it.
        if (!platform::ProgramOnPath("setpriv")) GTEST_SKIP() << "root writes everywhere, and setpriv is missing";
        argv.insert(argv.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "env",
                                   "TMPDIR=" + tmp, "HOME=" + tmp});
        const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec;
        fs::permissions(dir.path(), open);
        fs::permissions(tmp, fs::perms::all);
        fs::permissions(dir / "a.pdf", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    }
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
    auto r = testpdf::RunProgram(argv, dir.path());
    EXPECT_EQ(r.status, 1) << r.errors;
    EXPECT_NE(r.errors.find("not writable"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("ro"), std::string::npos) << r.errors;
    EXPECT_TRUE(fs::is_empty(dir / "ro"));
}

TEST_F(CommandLine, OutputFolderThatIsAFile) {
    Pdf(1, "a.pdf");
    testpdf::WriteFile(dir / "file", "x");
    auto r = Convert({"-o", "file", "a.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("is not a folder"), std::string::npos);
    r = Convert({"-o", "file/sub", "a.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("cannot create the output folder file/sub"), std::string::npos);
}

TEST_F(CommandLine, SameNameTwiceKeepsTheFirstResult) {
    fs::create_directory(dir / "x");
    Pdf(1, "a.pdf");
    testpdf::NumberedPages(2).Save(dir / "x/a.pdf");
    auto r = Convert({"-q", "a.pdf", "x/a.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("x/a.pdf: its result ./a.rtf would replace"), std::string::npos);
}

TEST_F(CommandLine, DocWithoutWordProcessorKeepsTheRtf) {
    Pdf(1, "a.pdf");
    const char* oldPath = std::getenv("PATH");
    std::string saved = oldPath ? oldPath : "";
    setenv("PATH", (dir / "nowhere").c_str(), 1);
    for (const char* format : {"doc", "docx", "odt"}) {
        auto r = Convert({"-q", "-f", format, "a.pdf"});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.errors.find("a.pdf: DOC, DOCX and ODT output need LibreOffice"), std::string::npos) << r.errors;
        EXPECT_TRUE(fs::exists(dir / "a.rtf"));  // the converted document is not thrown away
        EXPECT_FALSE(fs::exists(dir / (std::string("a.") + format)));
        fs::remove(dir / "a.rtf");
    }
    setenv("PATH", saved.c_str(), 1);
}

TEST_F(CommandLine, UsageErrorsExitWithTwo) {
    Pdf(1, "a.pdf");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--bogus", "a.pdf"}, {"-m", "wide", "a.pdf"}, {"-p", "one", "a.pdf"}, {"-f", "pdf", "a.pdf"},
             {"--extract-images", "gif", "a.pdf"}, {"a.pdf", "-o"}, {"--ocr", "sometimes", "a.pdf"},
             {"--ocr-lang", "eng++deu", "a.pdf"}, {"--ocr-lang", "", "a.pdf"},
             {"--ocr-lang", "script/Latin", "a.pdf"}}) {
        auto r = Convert(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_NE(r.errors.find("vellumor-convert: "), std::string::npos);
    }
    auto help = Convert({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--extract-images"), std::string::npos);
}

TEST_F(CommandLine, ImageJobRunsOverTheSelectedPages) {
    Pdf(3, "pics.pdf");
    auto r = Convert({"-v", "--extract-images", "png", "-p", "2", "-o", "img", "pics.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.errors.find("Conversion of <2> page started."), std::string::npos);
    EXPECT_EQ(r.errors.find("Conversion of <1> page started."), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "img/pics.rtf"));
    EXPECT_FALSE(WorkspaceLeft());
}

TEST(CommandLineOptions, KeepLinesReachesTheRecordAndTheDocumentModel) {
    TempDir dir;
    CliOptions o;
    std::string err;
    ASSERT_TRUE(ParseCommandLine({"--keep-lines", "-o", dir.path(), dir / "missing.pdf"}, o, err)) << err;
    MyConvertPara para;
    FILE* reports = std::tmpfile();
    ASSERT_TRUE(reports);
    RunBatchChild(o, para, reports);
    std::fclose(reports);
    EXPECT_TRUE(para.keepLines);

    testpdf::WriteFile(dir / "doc.xml", rtftest::Root() + rtftest::kEnd);
    para.rtfPath = dir / "out.rtf";
    std::unique_ptr<IRtfDocument> doc = DefaultEngines().createRtfDocument(dir / "doc.xml", para);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(static_cast<RtfEngine&>(*doc).Document().keepLines);
}

TEST(CommandLineOptions, RecognitionChoicesReachTheRecord) {
    TempDir dir;
    CliOptions o;
    std::string err;
    for (auto [name, mode] : {std::pair{"never", OcrNever}, {"auto", OcrAuto}, {"always", OcrAlways}}) {
        o = CliOptions();
        ASSERT_TRUE(ParseCommandLine({"--ocr", name, "--ocr-lang=chi_sim+eng", "-o", dir.path(), dir / "missing.pdf"}, o,
                                     err))
            << err;
        EXPECT_EQ(o.ocrMode, mode) << name;
    }
    MyConvertPara para;
    FILE* reports = std::tmpfile();
    ASSERT_TRUE(reports);
    RunBatchChild(o, para, reports);
    std::fclose(reports);
    EXPECT_EQ(para.ocrMode, OcrAlways);
    EXPECT_EQ(para.ocrLanguages, "chi_sim+eng");
}

TEST(CommandLineOptions, ParsesEveryOption) {
    CliOptions o;
    std::string err;
    ASSERT_TRUE(ParseCommandLine({"-o", "d", "--layout=asis", "-f", "doc", "-p", "1, 3-4", "--password", "",
                                  "--remove-images", "--keep-xml", "--keep-lines", "-v", "--", "-odd.pdf"},
                                 o, err))
        << err;
    EXPECT_EQ(o.outputDir, "d");
    EXPECT_EQ(o.mode, ModeAsIs);
    EXPECT_EQ(o.format, "doc");
    EXPECT_EQ(o.pages, "1, 3-4");
    EXPECT_TRUE(o.havePassword);
    EXPECT_TRUE(o.removeImages && o.keepXml && o.keepLines);
    EXPECT_EQ(o.verbosity, Verbosity::Verbose);
    EXPECT_EQ(o.files, (std::vector<std::string>{"-odd.pdf"}));

    CliOptions img;
    ASSERT_TRUE(ParseCommandLine({"--extract-images", "JPG", "-q", "a.pdf"}, img, err));
    EXPECT_EQ(img.imageDevice, "jpeg");
    EXPECT_EQ(img.verbosity, Verbosity::Quiet);
    EXPECT_FALSE(ValidPageList(""));
    EXPECT_FALSE(ValidPageList("1;2"));
    EXPECT_TRUE(ValidPageList(" 1,,4 , 6-"));
}

}  // namespace

// Said once before the batch, rather than as a failure of every scanned page; only where recognition can run.
TEST_F(CommandLine, AMissingRecognitionLanguageStopsBeforeAnyFileAndNamesItsPackage) {
    std::vector<std::string> installed = platform::InstalledOcrLanguages();
    if (std::find(installed.begin(), installed.end(), "cym") != installed.end()) GTEST_SKIP() << "Welsh is installed";
    Pdf(2, "a.pdf");
    for (const char* jobs : {"1", "2"}) {
        auto r = Convert({"-q", "-j", jobs, "--ocr-lang", "eng+cym", "a.pdf", "a.pdf"});
        EXPECT_EQ(r.status, 2) << jobs;
        EXPECT_NE(r.errors.find("tesseract-ocr-cym"), std::string::npos) << r.errors;
        EXPECT_EQ(r.errors.find("tesseract-ocr-eng"), std::string::npos) << r.errors;
        EXPECT_FALSE(fs::exists(dir / "a.rtf"));
        EXPECT_FALSE(WorkspaceLeft());
    }
    auto never = Convert({"-q", "--ocr", "never", "--ocr-lang", "cym", "a.pdf"});
    EXPECT_EQ(never.status, 0) << never.errors;
    EXPECT_TRUE(fs::exists(dir / "a.rtf"));
    auto images = Convert({"-q", "--extract-images", "png", "--ocr-lang", "cym", "-o", "img", "a.pdf"});
    EXPECT_EQ(images.status, 0) << images.errors;
}

// A time limit that cannot be read is refused, not replaced by the default.
TEST_F(CommandLine, UnreadableTimeLimitsAreUsageErrors) {
    Pdf(1, "a.pdf");
    for (const char* value : {"0", "-5", "abc", "1.5", "100000000000000000000"}) {
        setenv("VELLUMOR_GS_TIME_LIMIT", value, 1);
        auto r = Convert({"-q", "a.pdf"});
        EXPECT_EQ(r.status, 2) << value;
        EXPECT_NE(r.errors.find("VELLUMOR_GS_TIME_LIMIT must be a whole number of seconds"), std::string::npos)
            << r.errors;
        EXPECT_FALSE(fs::exists(dir / "a.rtf"));
    }
    setenv("VELLUMOR_GS_TIME_LIMIT", "30", 1);
    EXPECT_EQ(Convert({"-q", "a.pdf"}).status, 0);
    unsetenv("VELLUMOR_GS_TIME_LIMIT");
    auto help = Convert({"--help"});
    EXPECT_NE(help.output.find("130 when interrupted"), std::string::npos);
}

// The PDF core's complaints about a damaged link are nothing to act on: quiet stays quiet.
TEST_F(CommandLine, QuietRunKeepsThePdfCoresComplaintsToItself) {
    testpdf::PdfWriter pdf;
    testpdf::Page& page = pdf.AddPage(testpdf::TextLine("Jump there", 72, 700));
    testpdf::LinkAnnot link;
    link.x0 = 70;
    link.y0 = 690;
    link.x1 = 200;
    link.y1 = 715;
    link.action = "<< /S /GoTo /D (nowhere) >>";
    page.links.push_back(link);
    pdf.Save(dir / "dest.pdf");
    auto r = Convert({"-q", "dest.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.errors, "");
    EXPECT_EQ(r.output, "");
    r = Convert({"-v", "dest.pdf"});
    EXPECT_NE(r.errors.find("Error: "), std::string::npos) << r.errors;
}

// A source named like its result is never replaced by it.
TEST_F(CommandLine, ASourceNamedLikeItsResultIsRefused) {
    Pdf(1, "x.rtf");
    const auto before = testpdf::ReadFile(dir / "x.rtf");
    auto r = Convert({"-q", "x.rtf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("would replace the source itself"), std::string::npos) << r.errors;
    EXPECT_EQ(testpdf::ReadFile(dir / "x.rtf"), before);
    Pdf(1, "y.xml");
    r = Convert({"-q", "--keep-xml", "y.xml"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(testpdf::ReadFile(dir / "y.xml").rfind("%PDF", 0), 0u);
    // Into another folder both convert.
    EXPECT_EQ(Convert({"-q", "-o", "out", "--keep-xml", "x.rtf", "y.xml"}).status, 0);
}
