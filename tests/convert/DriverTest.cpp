#include <gtest/gtest.h>

#include <PDFDoc.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "pagegraphics/PageGraphicsPass.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

struct Recorder : IConvertObserver {
    std::vector<int> progress;
    std::vector<std::string> logs;
    std::vector<std::pair<std::string, std::string>> started;
    std::function<void(const std::string&)> onLog;
    void Progress(int32_t p) override { progress.push_back(p); }
    void Log(const std::string& l) override {
        logs.push_back(l);
        if (onLog) onLog(l);
    }
    void FileStarted(const std::string& s, const std::string& d) override { started.emplace_back(s, d); }
    void FileFinished(const std::string&, const std::string&) override {}
};

struct RtfCalls {
    std::vector<int> read;
    std::vector<std::pair<int, int>> written;  // page, flags
    std::vector<std::pair<int, int>> graphics;  // page read, drawing order of each entry handed over
    int mode = -1;
    bool destroyed = false;
};

class FakeRtf : public IRtfDocument {
public:
    FakeRtf(RtfCalls& c, bool openOk, int failReadAt) : c_(c), openOk_(openOk), failReadAt_(failReadAt) {}
    ~FakeRtf() override { c_.destroyed = true; }
    bool OpenRtf() override { return openOk_; }
    void SetLayoutMode(int m) override { c_.mode = m; }
    bool ReadPage(int n) override {
        c_.read.push_back(n);
        last_ = n;
        return n != failReadAt_;
    }
    void AddGraphics(GraphicsList& list) override {
        for (const auto& entry : list) c_.graphics.emplace_back(last_, entry->drawingOrder);
    }
    // Recorded as 1 for the first page of the range, 2 for the last, 3 for both.
    bool WritePage(PageInRange range) override {
        c_.written.emplace_back(last_, (range.first ? 1 : 0) | (range.last ? 2 : 0));
        return true;
    }
    bool Close() override { return true; }

private:
    RtfCalls& c_;
    bool openOk_;
    int failReadAt_;
    int last_ = 0;
};

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        para.observer = &rec;
        para.outputDir = dir.path();
        para.jobMode = ModeTextOnly;
        engines = DefaultEngines();
        engines.createRtfDocument = [this](const std::string& xml, const CConvertPara&) -> std::unique_ptr<IRtfDocument> {
            xmlSeen = xml;
            if (noDocument) return nullptr;
            return std::make_unique<FakeRtf>(calls, openOk, failReadAt);
        };
    }
    std::string MakePdf(int pages, const std::string& name = "doc.pdf") {
        std::string path = dir / name;
        testpdf::NumberedPages(pages).Save(path);
        return path;
    }
    int Run(const std::string& path) {
        para.inputPath = path;
        return ConvertFile(para, engines);
    }
    std::vector<int> PagesStarted() const {
        std::vector<int> pages;
        for (const auto& l : rec.logs) {
            unsigned n = 0;
            if (std::sscanf(l.c_str(), "Conversion of <%u> page started.", &n) == 1) pages.push_back(static_cast<int>(n));
        }
        return pages;
    }

    TempDir dir;
    MyConvertPara para;
    Recorder rec;
    RtfCalls calls;
    ConvertEngines engines;
    std::string xmlSeen;
    bool noDocument = false;
    bool openOk = true;
    int failReadAt = -1;
};

TEST_F(DriverTest, ProgressOfFivePages) {
    Run(MakePdf(5));
    EXPECT_EQ(rec.progress, (std::vector<int>{25, 50, 75, 100, 125}));
    EXPECT_EQ(para.lastPage, 5);
    ASSERT_EQ(calls.written.size(), 5u);
    EXPECT_EQ(calls.written.front(), std::make_pair(1, 1));
    EXPECT_EQ(calls.written[2], std::make_pair(3, 0));
    EXPECT_EQ(calls.written.back(), std::make_pair(5, 2));
    EXPECT_EQ(calls.mode, ModeTextOnly);
    EXPECT_TRUE(calls.destroyed);
    EXPECT_EQ(rec.logs.front(), "Reading text content from pdf started.");
}

TEST_F(DriverTest, OnePageDocumentIsComplete) {
    Run(MakePdf(1));
    EXPECT_EQ(rec.progress, (std::vector<int>{100}));
    ASSERT_EQ(calls.written.size(), 1u);
    EXPECT_EQ(calls.written[0].second, 3);
}

TEST_F(DriverTest, PageSelectionConvertsListedPagesOnly) {
    para.pages.SelectListed("3-5");
    para.xmlCopyPath = dir / "copy.xml";
    Run(MakePdf(10));
    EXPECT_EQ(PagesStarted(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(calls.read, (std::vector<int>{3, 4, 5}));
    for (const auto& [page, flags] : calls.written) EXPECT_EQ(flags, 0) << "page " << page;
    EXPECT_EQ(para.currentPage, 10);  // the loop still walks to the last page
    // The text pass extracts every page whatever the selection.
    std::string xml = testpdf::ReadFile(dir / "copy.xml");
    EXPECT_NE(xml.find("<page pnumber=\"10\""), std::string::npos);
    EXPECT_NE(xml.find("<page pnumber=\"1\""), std::string::npos);
}

TEST_F(DriverTest, CancelIsSeenAtThePageBoundary) {
    rec.onLog = [this](const std::string& l) {
        if (l == "Conversion of <4> page started.") para.cancelRequested = 1;
    };
    Run(MakePdf(10));
    EXPECT_EQ(calls.read, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(calls.written.size(), 4u);
    EXPECT_TRUE(calls.destroyed);  // the partial RTF is still finished
    EXPECT_FALSE(fs::exists(para.workDir));
}

TEST_F(DriverTest, ResultCodes) {
    std::string pdf = MakePdf(3);
    noDocument = true;
    Run(pdf);
    EXPECT_EQ(para.jobResult, ResultCannotOpen);
    EXPECT_TRUE(rec.started.empty());

    noDocument = false;
    openOk = false;
    Run(pdf);
    EXPECT_EQ(para.jobResult, ResultCannotWrite);
    EXPECT_TRUE(calls.destroyed);

    openOk = true;
    failReadAt = 2;
    calls = {};
    Run(pdf);
    EXPECT_EQ(para.jobResult, ResultPageFailed);
    EXPECT_EQ(calls.read, (std::vector<int>{1, 2}));
    EXPECT_FALSE(fs::exists(para.workDir));
}

TEST_F(DriverTest, OutputPathsAndNames) {
    para.outputDir = dir.path() + "/";
    para.officeFormat = "doc";
    Run(MakePdf(2, "report.final.pdf"));
    EXPECT_EQ(para.outputDir, dir.path());
    EXPECT_EQ(para.baseName, "report.final");
    EXPECT_EQ(para.rtfPath, dir.path() + "/report.final.rtf");
    ASSERT_EQ(rec.started.size(), 1u);
    EXPECT_EQ(rec.started[0].second, dir.path() + "/report.final.doc");
    EXPECT_NE(para.workDir.find("tmpd"), std::string::npos);
    EXPECT_EQ(xmlSeen, para.workDir + "/report.final.xml");

    std::string bare = dir / "noextension";
    fs::copy_file(dir / "report.final.pdf", bare);
    Run(bare);
    EXPECT_EQ(para.baseName, "noextension");
    EXPECT_EQ(para.jobResult, ResultDone);
}

TEST_F(DriverTest, WorkspaceIsGoneAndSourceUntouched) {
    std::string pdf = MakePdf(2);
    std::string before = testpdf::ReadFile(pdf);
    Run(pdf);
    EXPECT_FALSE(para.workDir.empty());
    EXPECT_FALSE(fs::exists(para.workDir));
    EXPECT_EQ(testpdf::ReadFile(pdf), before);

    std::string first = para.workDir;
    Run(pdf);
    EXPECT_NE(para.workDir, first);  // two jobs never share a workspace
    EXPECT_FALSE(fs::exists(para.workDir));
}

TEST_F(DriverTest, MissingSourceLeavesNoWorkspace) {
    EXPECT_EQ(Run(dir / "absent.pdf"), ResultCannotOpen) << "a failed job is no success to its caller";
    EXPECT_EQ(para.jobResult, ResultCannotOpen);
    EXPECT_FALSE(fs::exists(para.workDir));
    EXPECT_TRUE(calls.read.empty());
}

TEST_F(DriverTest, NotAPdfEndsWithoutPages) {
    std::string path = dir / "fake.pdf";
    testpdf::WriteFile(path, "this is not a PDF at all");
    EXPECT_EQ(Run(path), ResultCannotOpen);
    EXPECT_EQ(para.jobResult, ResultCannotOpen);
    EXPECT_TRUE(calls.read.empty());
    EXPECT_FALSE(fs::exists(para.workDir));
}

TEST_F(DriverTest, ImageJobWalksSelectedPages) {
    para.jobMode = ModeExtractImages;
    para.pages.SelectListed("2,4");
    std::vector<int> passes;
    engines.pageGraphics = [&](pagegraphics::PageGraphicsJob& job, int page, GraphicsList&, pagegraphics::PendingDrawings*) {
        EXPECT_TRUE(job.imageJob);
        passes.push_back(page);
        return page == 4 ? 1 : 0;
    };
    Run(MakePdf(5));
    EXPECT_EQ(passes, (std::vector<int>{2, 4}));
    EXPECT_EQ(rec.logs.back(), "Found problem while filtering graphics for the page.");
    EXPECT_TRUE(calls.read.empty());
    ASSERT_EQ(rec.started.size(), 1u);
    EXPECT_EQ(rec.started[0].second, dir.path());
}

// The graphics of later pages are recorded while the current one is written:
// each page must still get its own, in order, and a cancelled job stops there.
TEST_F(DriverTest, EachPageGetsItsOwnGraphics) {
    para.jobMode = ModeFlowingText;
    para.pages.SelectListed("1,3-4,6");
    std::vector<int> passes;
    engines.pageGraphics = [&](pagegraphics::PageGraphicsJob&, int page, GraphicsList& graphics,
                               pagegraphics::PendingDrawings*) {
        passes.push_back(page);
        for (int i = 0; i < page; ++i) {
            auto entry = std::make_unique<GraphicEntry>(GraphicEntry::KindShape);
            entry->drawingOrder = page;
            graphics.push_back(std::move(entry));
        }
        return 0;
    };
    Run(MakePdf(6));
    EXPECT_EQ(passes, (std::vector<int>{1, 3, 4, 6}));
    std::vector<std::pair<int, int>> expected;
    for (int page : {1, 3, 4, 6})
        for (int i = 0; i < page; ++i) expected.emplace_back(page, page);
    EXPECT_EQ(calls.graphics, expected);
    EXPECT_EQ(calls.mode, ModeFlowingText);

    passes.clear();
    calls = {};
    para.pages.SelectAll();
    rec.onLog = [this](const std::string& l) {
        if (l == "Conversion of <2> page started.") para.cancelRequested = 1;
    };
    Run(MakePdf(6));
    EXPECT_EQ(calls.read, (std::vector<int>{1, 2}));
    EXPECT_EQ(calls.graphics, (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {2, 2}}));
    ASSERT_GE(passes.size(), 2u);
    for (size_t i = 0; i < passes.size(); ++i) EXPECT_EQ(passes[i], static_cast<int>(i) + 1);
}

// Drawings are rendered on other threads, which may finish a later page first:
// each page must still come whole, with its drawings, and in order.
TEST_F(DriverTest, PagesWithDrawingsRenderedAsideComeWholeAndInOrder) {
    para.jobMode = ModeFlowingText;
    engines.pageGraphics = [](pagegraphics::PageGraphicsJob&, int page, GraphicsList& graphics,
                              pagegraphics::PendingDrawings* later) {
        auto entry = std::make_unique<GraphicEntry>(GraphicEntry::KindShape);
        entry->drawingOrder = page;
        graphics.push_back(std::move(entry));
        if (later) later->pending = page % 2 == 1;
        return 0;
    };
    std::atomic<int> rendered{0};
    engines.pageDrawings = [&](pagegraphics::PageGraphicsJob&, PDFDoc& doc, int page,
                               pagegraphics::PendingDrawings& pending, GraphicsList& graphics) {
        EXPECT_TRUE(doc.isOk());
        EXPECT_TRUE(pending.pending);
        // The first page's drawing takes longest, so the next one overtakes it.
        if (page == 1) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        auto entry = std::make_unique<GraphicEntry>(GraphicEntry::KindShape);
        entry->drawingOrder = 100 + page;
        graphics.push_back(std::move(entry));
        ++rendered;
        return 0;
    };
    Run(MakePdf(6));
    std::vector<std::pair<int, int>> expected;
    for (int page = 1; page <= 6; ++page) {
        expected.emplace_back(page, page);
        if (page % 2 == 1) expected.emplace_back(page, 100 + page);
    }
    EXPECT_EQ(calls.graphics, expected);
    EXPECT_EQ(rendered, 3);
}

TEST_F(DriverTest, UnknownModeDoesNothing) {
    para.jobMode = 9;
    Run(MakePdf(2));
    EXPECT_TRUE(rec.logs.empty());
    EXPECT_FALSE(fs::exists(para.workDir));
}

TEST(DateConversion, PdfDates) {
    EXPECT_EQ(ConvertPdfDate("D:20240102030405+01'00'"), "2024-01-02T03:04:05+00:00");
    EXPECT_EQ(ConvertPdfDate("D:2024"), "2024");
    EXPECT_EQ(ConvertPdfDate("yesterday"), "yesterday");
    EXPECT_EQ(ConvertPdfDate(""), "");
}

TEST(PageCount, PlainEncryptedAndBroken) {
    TempDir dir;
    std::string plain = dir / "plain.pdf", locked = dir / "locked.pdf", junk = dir / "junk.pdf";
    testpdf::NumberedPages(4).Save(plain);
    ASSERT_TRUE(testpdf::Encrypt(plain, locked, "user", "owner"));
    testpdf::WriteFile(junk, "%PDF-1.4\nnothing here\n");
    EXPECT_EQ(PageCount(plain, nullptr), 4);
    EXPECT_EQ(PageCount(locked, nullptr), -1);
    std::string wrong = "nope", user = "user", owner = "owner";
    EXPECT_EQ(PageCount(locked, &wrong), 0);
    EXPECT_EQ(PageCount(locked, &user), 4);
    EXPECT_EQ(PageCount(locked, &owner), 4);
    EXPECT_EQ(PageCount(junk, nullptr), 0);
    EXPECT_EQ(PageCount(dir / "absent.pdf", nullptr), 0);
    // The query works on the file in place and leaves its folder alone.
    EXPECT_TRUE(fs::exists(plain));
}

TEST(PageCount, QueryNeverRemovesAFolderNamedLikeAWorkspace) {
    TempDir dir;
    std::string folder = dir / "mytmpdocs";
    fs::create_directory(folder);
    testpdf::NumberedPages(2).Save(folder + "/a.pdf");
    EXPECT_EQ(PageCount(folder + "/a.pdf", nullptr), 2);
    EXPECT_TRUE(fs::exists(folder + "/a.pdf"));
    std::string tmpd = dir / "tmpd";
    fs::create_directory(tmpd);
    testpdf::NumberedPages(1).Save(tmpd + "/b.pdf");
    EXPECT_EQ(PageCount(tmpd + "/b.pdf", nullptr), 1);
    EXPECT_TRUE(fs::exists(tmpd + "/b.pdf"));
}

TEST(PageCount, EncryptedSourceConvertsWithItsPassword) {
    TempDir dir;
    std::string plain = dir / "plain.pdf", locked = dir / "locked.pdf";
    testpdf::NumberedPages(3).Save(plain);
    ASSERT_TRUE(testpdf::Encrypt(plain, locked, "secret", "owner"));
    MyConvertPara para;
    para.outputDir = dir.path();
    para.jobMode = ModeTextOnly;
    para.password = "secret";
    para.inputPath = locked;
    ConvertFile(para);
    EXPECT_EQ(para.lastPage, 3);
    EXPECT_TRUE(fs::exists(dir / "locked.rtf"));
}

}  // namespace
