#include "cli/CliBatch.h"

#include "convert/CConvertWorker.h"

namespace {

// The terminal's side of a batch: failures on standard error as they happen,
// results on standard output.
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
        if (options_.verbosity != Verbosity::Quiet) std::fprintf(out_, "%s -> %s\n", source.c_str(), result.c_str());
    }
    void FileNote(const std::string& source, const std::string& note) override {
        if (options_.verbosity == Verbosity::Quiet) return;
        observer_.ClearBar();
        std::fprintf(out_, "%s: %s\n", source.c_str(), note.c_str());
    }
    void BatchEnded(const BatchSummary&) override {}

private:
    const CliOptions& options_;
    TerminalObserver& observer_;
    FILE* out_;
    FILE* err_;
};

}  // namespace

int RunBatch(const CliOptions& o, MyConvertPara& para, TerminalObserver& observer, FILE* out, FILE* err) {
    const bool imageJob = !o.imageDevice.empty();
    if (std::string why = CheckOutputDir(o.outputDir); !why.empty()) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: %s\n", why.c_str());
        return 1;
    }

    para.outputDir = o.outputDir;
    para.jobMode = imageJob ? ModeExtractImages : o.mode;
    para.imageDevice = imageJob ? o.imageDevice : "jpeg";
    para.removeImages = o.removeImages ? 1 : 0;
    para.docOutput = para.wantDoc = (!imageJob && o.doc) ? 1 : 0;
    para.autoOpenFlag = 0;  // a command line replaces old results without asking
    para.firstPage = 1;
    if (o.pages.empty()) {
        para.pageFlags = 1;
        para.AllPages = "Yes";
    } else {
        para.pageFlags = 0;
        para.AllPages = o.pages;
        para.ParsePageList(o.pages);
    }
    para.xmlCopyDir = o.keepXml && !imageJob ? o.outputDir : std::string();

    std::vector<BatchFile> files;
    for (const std::string& file : o.files) files.push_back({file, o.havePassword ? o.password : std::string()});

    TerminalHost host(o, observer, out, err);
    CConvertWorker worker(para, host);
    BatchSummary summary = worker.Run(files);
    if (summary.cancelled) {
        observer.ClearBar();
        std::fprintf(err, "vellumor-convert: cancelled\n");
        return 130;
    }
    return summary.failures.empty() ? 0 : 1;
}
