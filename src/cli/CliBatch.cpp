#include "cli/CliBatch.h"

#include <cstdlib>
#include <thread>

#include "app/DefaultEngines.h"
#include "convert/CConvertWorker.h"
#include "convert/ChildReport.h"
#include "app/OcrLanguageCheck.h"
#include "platform/Workspace.h"

namespace {

// The terminal's side of a batch: failures and notes on standard error as they
// happen, results on standard output. Quiet drops the results, never a warning.
class TerminalHost : public IWorkerHost {
public:
    TerminalHost(const CliOptions& o, TerminalObserver& observer, FILE* out, FILE* err)
        : options_(o), observer_(observer), out_(out), err_(err) {}

    bool AskReplace(const std::string&) override { return true; }
    void FileBegins(const std::string& source) override { observer_.BeginFile(source); }
    void FileFailed(const std::string& source, const std::string& reason) override {
        observer_.ClearBar();
        std::string why = reason;
        if (why == "encrypted: give its password") why += " with --password";
        std::fprintf(err_, "vellumor-convert: %s: %s\n", source.c_str(), why.c_str());
    }
    void FileConverted(const std::string& source, const std::string& result) override {
        if (options_.verbosity == Verbosity::Quiet) return;
        observer_.ClearBar();
        std::fprintf(out_, "%s -> %s\n", source.c_str(), result.c_str());
    }
    void FileNote(const std::string& source, const std::string& note) override {
        observer_.ClearBar();
        std::fprintf(err_, "vellumor-convert: %s: %s\n", source.c_str(), note.c_str());
    }
    void BatchEnded(const BatchSummary&) override {}

private:
    const CliOptions& options_;
    TerminalObserver& observer_;
    FILE* out_;
    FILE* err_;
};

// A child run of a parallel batch tells its parent everything in report lines.
class ChildChannel : public IWorkerHost, public IConvertObserver {
public:
    explicit ChildChannel(FILE* out) : out_(out) {}
    bool AskReplace(const std::string&) override { return true; }
    void FileFailed(const std::string& source, const std::string& reason) override { Say(FailedReport(source, reason)); }
    void FileConverted(const std::string& source, const std::string& result) override {
        Say(ConvertedReport(source, result));
    }
    void FileNote(const std::string& source, const std::string& note) override { Say(NoteReport(source, note)); }
    void BatchEnded(const BatchSummary&) override {}
    void Progress(int32_t percent) override { Say(ProgressReport(percent)); }
    void Log(const std::string& line) override { Say(LogReport(line)); }
    void FileStarted(const std::string& source, const std::string& destination) override {
        Say(StartedReport(source, destination));
    }
    void FileFinished(const std::string&, const std::string&) override {}
    void FileSaving(const std::string& source) override { Say(SavingReport(source)); }

private:
    void Say(const std::string& line) {
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
    }
    FILE* out_;
};

void SetUpRecord(const CliOptions& o, MyConvertPara& para) {
    const bool imageJob = !o.imageDevice.empty();
    para.outputDir = o.outputDir;
    para.jobMode = imageJob ? ModeExtractImages : o.mode;
    para.imageDevice = imageJob ? o.imageDevice : "jpeg";
    para.removeImages = o.removeImages ? 1 : 0;
    para.keepLines = o.keepLines;
    para.ocrMode = o.ocrMode;
    para.ocrLanguages = o.ocrLanguages;
    para.SetDocFormat(imageJob ? "rtf" : o.format);
    para.autoOpenFlag = 0;  // a command line replaces old results without asking
    para.firstPage = 1;
    para.pages.Select(o.pages);
    para.xmlCopyDir = o.keepXml && !imageJob ? o.outputDir : std::string();
}

std::vector<BatchFile> Files(const CliOptions& o, const std::string& password) {
    std::vector<BatchFile> files;
    for (const std::string& file : o.files) files.push_back({file, password});
    return files;
}

}  // namespace

int RunBatch(const CliOptions& o, MyConvertPara& para, TerminalObserver& observer, FILE* out, FILE* err) {
    if (std::string why = CheckOutputDir(o.outputDir); !why.empty()) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: %s\n", why.c_str());
        return 1;
    }
    SetUpRecord(o, para);
    // Said once, before any file: otherwise every scanned page of every file would fail alike.
    if (std::string missing = OcrLanguageProblem(para); !missing.empty()) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: %s\n", missing.c_str());
        return 2;
    }
    TerminalHost host(o, observer, out, err);
    CConvertWorker worker(para, host, DefaultWorkerSteps());
    int jobs = o.jobs > 0 ? o.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    worker.SetParallel(jobs, platform::ExecutableDir() + "/vellumor-convert");
    BatchSummary summary = worker.Run(Files(o, o.havePassword ? o.password : std::string()));
    if (summary.cancelled) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: cancelled\n");
        return 130;
    }
    return summary.failures.empty() ? 0 : 1;
}

int RunBatchChild(const CliOptions& o, MyConvertPara& para, FILE* out) {
    ChildChannel channel(out);
    para.observer = &channel;
    SetUpRecord(o, para);
    const char* password = std::getenv(kChildPasswordVariable);
    CConvertWorker worker(para, channel, DefaultWorkerSteps());
    worker.SetReportSummary(false);
    BatchSummary summary = worker.Run(Files(o, password ? password : ""));
    para.observer = nullptr;
    if (summary.cancelled) return 130;
    return summary.failures.empty() ? 0 : 1;
}
