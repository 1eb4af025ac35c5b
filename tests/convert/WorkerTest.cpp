#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <mutex>

#include "convert/CConvertWorker.h"
#include "convert/ChildReport.h"
#include "convert/ConversionJob.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::TempDir;

namespace {

struct RecordingHost : IWorkerHost {
    std::function<bool(const std::string&)> replace = [](const std::string&) { return true; };
    std::vector<std::string> asked;
    std::vector<std::pair<std::string, std::string>> failed;
    std::vector<std::string> converted;
    std::promise<BatchSummary> ended;

    bool AskReplace(const std::string& path) override {
        asked.push_back(path);
        return replace(path);
    }
    void FileFailed(const std::string& source, const std::string& reason) override { failed.emplace_back(source, reason); }
    void FileConverted(const std::string&, const std::string& result) override { converted.push_back(result); }
    void BatchEnded(const BatchSummary& summary) override { ended.set_value(summary); }
};

// A batch over PDFs the test writes, with a stand-in for the driver that writes
// "converted <source>" as the RTF and remembers what it was given.
class Worker : public ::testing::Test {
protected:
    void SetUp() override {
        para.outputDir = dir / "out";
        fs::create_directories(para.outputDir);
        para.jobMode = ModeFormattedText;
        steps.convert = [this](CConvertPara& p) {
            passwords.push_back(p.password);
            rtfPaths.push_back(p.rtfPath = (p.rtfDir.empty() ? p.outputDir : p.rtfDir) + "/" + BaseNameOf(p.inputPath) + ".rtf");
            testpdf::WriteFile(p.rtfPath, "converted " + p.inputPath);
            p.jobResult = ResultDone;
            p.pagesWritten = 1;
            if (onConvert) onConvert(p);
        };
        steps.saveAsDoc = [this](const std::string& rtf, const std::string& doc, std::string& why,
                                 const std::atomic<int32_t>*) {
            if (!docWorks) {
                why = "no word processor";
                return false;
            }
            fs::copy_file(rtf, doc);
            return true;
        };
    }
    BatchFile Pdf(const std::string& name) {
        testpdf::NumberedPages(2).Save(dir / name);
        return {dir / name, ""};
    }
    std::vector<BatchFile> Pdfs(int n) {
        std::vector<BatchFile> files;
        for (int i = 1; i <= n; ++i) files.push_back(Pdf("f" + std::to_string(i) + ".pdf"));
        return files;
    }
    std::string Out(const std::string& name) const { return para.outputDir + "/" + name; }

public:
    TempDir dir;
    MyConvertPara para;
    RecordingHost host;
    WorkerSteps steps;
    std::function<void(CConvertPara&)> onConvert;
    std::vector<std::string> passwords, rtfPaths;
    bool docWorks = true;
};

// The cancel question as the window asks it: the gate closes while the job is on
// file 3, the worker is held at its next page boundary, then the answer comes.
void CancelQuestionAtFileThree(Worker* t, CConvertWorker& worker, bool yes, std::vector<BatchFile> files) {
    std::promise<void> atThree, questionOpen;
    std::atomic<bool> passedBoundary{false};
    t->onConvert = [&](CConvertPara& p) {
        if (p.inputPath.find("f3.pdf") == std::string::npos) return;
        atThree.set_value();
        questionOpen.get_future().wait();
        p.Progress(50);  // a page boundary
        passedBoundary = true;
    };
    ASSERT_TRUE(worker.Start(std::move(files)));
    atThree.get_future().wait();
    worker.Gate().Close();
    questionOpen.set_value();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(passedBoundary) << "the worker ran on while the question was open";
    if (yes) worker.RequestCancel();
    worker.Gate().Open();
    worker.Join();
    EXPECT_TRUE(passedBoundary);
}

TEST_F(Worker, CancelQuestionAnsweredNoGoesOnWithEveryFile) {
    CConvertWorker worker(para, host, steps);
    CancelQuestionAtFileThree(this, worker, false, Pdfs(5));
    BatchSummary summary = host.ended.get_future().get();
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(summary.converted, 5);
    EXPECT_EQ(para.busy, 0);
}

TEST_F(Worker, CancelQuestionAnsweredYesLeavesTwoResults) {
    CConvertWorker worker(para, host, steps);
    CancelQuestionAtFileThree(this, worker, true, Pdfs(5));
    BatchSummary summary = host.ended.get_future().get();
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.results, (std::vector<std::string>{Out("f1.rtf"), Out("f2.rtf")}));
    EXPECT_FALSE(fs::exists(Out("f4.rtf")));
    EXPECT_EQ(para.busy, 0);
    // The next batch starts on the same worker once the old thread has ended.
    host.ended = {};
    onConvert = nullptr;
    ASSERT_TRUE(worker.Start({Pdf("again.pdf")}));
    EXPECT_EQ(host.ended.get_future().get().converted, 1);
}

TEST_F(Worker, ReplaceQuestionNoKeepsTheOldBytes) {
    para.autoOpenFlag = 1;
    auto files = Pdfs(2);
    testpdf::WriteFile(Out("f1.rtf"), "the user's own");
    host.replace = [](const std::string&) { return false; };
    BatchSummary summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_EQ(host.asked, (std::vector<std::string>{Out("f1.rtf")}));
    EXPECT_EQ(testpdf::ReadFile(Out("f1.rtf")), "the user's own");
    EXPECT_EQ(summary.skipped, 1);
    EXPECT_EQ(summary.converted, 1);

    // Without the question (auto-open off) the old result is replaced.
    para.autoOpenFlag = 0;
    host.asked.clear();
    CConvertWorker(para, host, steps).Run(files);
    EXPECT_TRUE(host.asked.empty());
    EXPECT_NE(testpdf::ReadFile(Out("f1.rtf")), "the user's own");
}

TEST_F(Worker, EachFileOpensWithItsOwnPassword) {
    BatchFile plain = Pdf("plain.pdf");
    ASSERT_TRUE(testpdf::Encrypt(plain.path, dir / "a.pdf", "alpha", "a-owner"));
    ASSERT_TRUE(testpdf::Encrypt(plain.path, dir / "b.pdf", "beta", "b-owner"));
    BatchSummary summary =
        CConvertWorker(para, host, steps).Run({{dir / "a.pdf", "alpha"}, plain, {dir / "b.pdf", "b-owner"}, {dir / "b.pdf", "alpha"}});
    EXPECT_EQ(passwords, (std::vector<std::string>{"alpha", "", "b-owner"}));
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_EQ(summary.failures[0].second, "encrypted: wrong password");
}

TEST_F(Worker, FailuresAreCountedAndNamed) {
    testpdf::WriteFile(dir / "notes.pdf", "not a pdf");
    auto files = Pdfs(2);
    files.insert(files.begin(), {{dir / "absent.pdf", ""}, {dir / "notes.pdf", ""}});
    fs::create_directory(dir / "same");
    testpdf::NumberedPages(1).Save(dir / "same/f1.pdf");
    files.push_back({dir / "same/f1.pdf", ""});
    onConvert = [](CConvertPara& p) {
        if (p.inputPath.find("f2.pdf") != std::string::npos) {
            fs::remove(p.rtfPath);
            p.jobResult = ResultWrongPassword;
        }
    };
    BatchSummary summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_EQ(summary.total, 5);
    EXPECT_EQ(summary.converted, 1);
    ASSERT_EQ(host.failed.size(), 4u);
    EXPECT_EQ(host.failed[0].second, "no such file");
    EXPECT_EQ(host.failed[1].second, "unreadable or not a PDF");
    EXPECT_EQ(host.failed[2].second, "encrypted: wrong password");
    EXPECT_NE(host.failed[3].second.find("would replace that of an earlier file"), std::string::npos);
    EXPECT_EQ(host.converted, (std::vector<std::string>{Out("f1.rtf")}));
}

TEST_F(Worker, DocStepNeverTouchesTheUsersRtfAndKeepsItsOwnOnFailure) {
    para.SetDocFormat("doc");
    auto files = Pdfs(1);
    testpdf::WriteFile(Out("f1.rtf"), "the user's own");
    BatchSummary summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_EQ(summary.results, (std::vector<std::string>{Out("f1.doc")}));
    EXPECT_EQ(testpdf::ReadFile(Out("f1.rtf")), "the user's own");
    EXPECT_FALSE(fs::exists(rtfPaths.at(0)));  // the scratch RTF is gone with its folder

    fs::remove(Out("f1.doc"));
    docWorks = false;
    summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_EQ(summary.converted, 0);
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_NE(summary.failures[0].second.find("the RTF " + Out("f1 (2).rtf") + " is kept"), std::string::npos)
        << summary.failures[0].second;
    EXPECT_EQ(testpdf::ReadFile(Out("f1.rtf")), "the user's own");
    EXPECT_TRUE(fs::exists(Out("f1 (2).rtf")));
}

}  // namespace

namespace {

bool ScratchLeft(const std::string& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find("tmpd") != std::string::npos) return true;
    return false;
}

TEST_F(Worker, EarlierResultSurvivesAFailedAndAnInterruptedRun) {
    auto files = Pdfs(1);
    testpdf::WriteFile(Out("f1.rtf"), "a good earlier result");
    onConvert = [](CConvertPara& p) { p.jobResult = ResultPageFailed; };
    BatchSummary summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_EQ(testpdf::ReadFile(Out("f1.rtf")), "a good earlier result");
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_NE(summary.failures[0].second.find("the earlier " + Out("f1.rtf") + " is kept"), std::string::npos);
    EXPECT_FALSE(ScratchLeft(para.outputDir));

    onConvert = [](CConvertPara& p) { p.cancelRequested = 1; };
    summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(testpdf::ReadFile(Out("f1.rtf")), "a good earlier result");
    EXPECT_FALSE(ScratchLeft(para.outputDir));

    // Without an earlier result, what was done is kept and said to be partial.
    para.cancelRequested = 0;
    fs::remove(Out("f1.rtf"));
    onConvert = [](CConvertPara& p) { p.jobResult = ResultPageFailed; };
    summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_TRUE(fs::exists(Out("f1.rtf")));
    EXPECT_NE(summary.failures.at(0).second.find("a partial result was written"), std::string::npos);
    EXPECT_FALSE(ScratchLeft(para.outputDir));
}

TEST_F(Worker, ResultIsWrittenBesideItAndRenamedIntoPlace) {
    auto files = Pdfs(1);
    testpdf::WriteFile(Out("f1.rtf"), "old");
    std::string seenDuringJob;
    onConvert = [&](CConvertPara& p) { seenDuringJob = testpdf::ReadFile(Out("f1.rtf")); (void)p; };
    BatchSummary summary = CConvertWorker(para, host, steps).Run(files);
    EXPECT_EQ(seenDuringJob, "old");  // the old result stands until the new one is complete
    EXPECT_EQ(summary.converted, 1);
    EXPECT_NE(testpdf::ReadFile(Out("f1.rtf")), "old");
    EXPECT_EQ(fs::path(rtfPaths.at(0)).parent_path().parent_path(), fs::path(para.outputDir));
    EXPECT_FALSE(ScratchLeft(para.outputDir));
}

// A cancel during the word processor's step leaves no RTF of the file in the output
// folder; an RTF job cut short by a cancel keeps its pages, and says so.
TEST_F(Worker, CancelledDocStepLeavesNoRtfAndACutShortRtfIsNamed) {
    para.SetDocFormat("doc");
    steps.saveAsDoc = [this](const std::string&, const std::string&, std::string& why, const std::atomic<int32_t>*) {
        para.cancelRequested = 1;  // the user cancels while the word processor works
        why = "LibreOffice was stopped: the job was cancelled";
        return false;
    };
    BatchSummary summary = CConvertWorker(para, host, steps).Run(Pdfs(2));
    EXPECT_TRUE(summary.cancelled);
    EXPECT_TRUE(summary.failures.empty());
    EXPECT_TRUE(fs::is_empty(para.outputDir));

    para.cancelRequested = 0;
    para.SetDocFormat("rtf");
    // Cut short before its first page: nothing is left that could pass for a result.
    onConvert = [](CConvertPara& p) {
        p.cancelRequested = 1;
        p.pagesWritten = 0;
    };
    summary = CConvertWorker(para, host, steps).Run(Pdfs(1));
    EXPECT_TRUE(summary.cancelled);
    EXPECT_TRUE(fs::is_empty(para.outputDir));
    EXPECT_TRUE(summary.notes.empty());

    para.cancelRequested = 0;
    onConvert = [](CConvertPara& p) {
        p.cancelRequested = 1;
        p.pagesWritten = 2;
    };
    summary = CConvertWorker(para, host, steps).Run(Pdfs(1));
    EXPECT_TRUE(summary.cancelled);
    EXPECT_TRUE(fs::exists(Out("f1.rtf")));
    ASSERT_EQ(summary.notes.size(), 1u);
    EXPECT_NE(summary.notes[0].second.find("cancelled: the 2 pages done so far were written to " + Out("f1.rtf")),
              std::string::npos);
    EXPECT_TRUE(summary.convertedFiles.empty());
}

// "No" at the replace question: the file is skipped with its reason.
TEST_F(Worker, NoAtTheReplaceQuestionSkipsTheFileWithItsReason) {
    para.autoOpenFlag = 1;
    testpdf::WriteFile(Out("f1.rtf"), "the user's own");
    host.replace = [](const std::string&) { return false; };
    BatchSummary summary = CConvertWorker(para, host, steps).Run(Pdfs(2));
    EXPECT_EQ(summary.skipped, 1);
    ASSERT_EQ(summary.skippedFiles.size(), 1u);
    EXPECT_EQ(summary.skippedFiles[0].first, dir / "f1.pdf");
    EXPECT_EQ(summary.skippedFiles[0].second, "the existing " + Out("f1.rtf") + " is kept");
    EXPECT_EQ(summary.convertedFiles, (std::vector<std::string>{dir / "f2.pdf"}));
}

}  // namespace

// A file name may hold tabs and line breaks: the reports of a parallel batch carry them whole.
TEST(ChildReports, FieldsComeBackAsTheyWere) {
    const std::string name = "a\tb\nc\\d\re.pdf";
    ChildReport report = ParseChildReport(FailedReport(name, "why\tnot"));
    EXPECT_EQ(FailedReport(name, "x").find('\n'), std::string::npos);
    EXPECT_EQ(report.kind, ChildReport::Failed);
    EXPECT_EQ(report.first, name);
    EXPECT_EQ(report.second, "why\tnot");
}
