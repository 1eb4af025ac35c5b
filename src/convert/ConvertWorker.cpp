// The batch worker: every file of a batch through the driver, with the rules
// that make each result trustworthy (a result is reported only once it exists).
#include <filesystem>

#include "convert/CConvertWorker.h"
#include "convert/ConversionJob.h"
#include "platform/Workspace.h"

namespace fs = std::filesystem;

namespace {

// Passes the worker's gate at every page boundary (the driver reports progress
// there) and forwards everything to whoever shows the job.
class GatedObserver : public IConvertObserver {
public:
    GatedObserver(IConvertObserver* inner, WorkerGate& gate) : inner_(inner), gate_(gate) {}
    void Progress(int32_t percent) override {
        gate_.Pass();
        if (inner_) inner_->Progress(percent);
    }
    void Log(const std::string& line) override {
        if (inner_) inner_->Log(line);
    }
    void FileStarted(const std::string& source, const std::string& destination) override {
        if (inner_) inner_->FileStarted(source, destination);
    }
    void FileFinished(const std::string& source, const std::string& destination) override {
        if (inner_) inner_->FileFinished(source, destination);
    }
    void FileLog(const std::string& source, const std::string& line) override {
        if (inner_) inner_->FileLog(source, line);
    }
    void FileSaving(const std::string& source) override {
        if (inner_) inner_->FileSaving(source);
    }

private:
    IConvertObserver* inner_;
    WorkerGate& gate_;
};

// A scratch folder that goes with everything left in it.
struct ScratchFolder {
    explicit ScratchFolder(std::string p) : path(std::move(p)) {}
    ~ScratchFolder() { platform::RemoveWorkspace(path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

// Renames a finished file over its destination (one step: no reader ever sees half of it).
bool MoveInto(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

CConvertWorker::CConvertWorker(MyConvertPara& para, IWorkerHost& host, WorkerSteps steps)
    : para_(para), host_(host), steps_(std::move(steps)) {}

CConvertWorker::~CConvertWorker() {
    if (thread_.joinable()) {
        // Nobody is left to answer questions: cancel and let the gate go.
        para_.cancelRequested = 1;
        gate_.Open();
        thread_.join();
    }
}

bool CConvertWorker::Start(std::vector<BatchFile> files) {
    if (para_.busy) return false;
    Join();  // the thread of the last batch has ended, but is still to be joined
    para_.busy = 1;
    // Cleared here, not on the new thread, so that a cancel pressed at once is not lost.
    para_.cancelRequested = 0;
    thread_ = std::thread([this, files = std::move(files)] {
        BatchSummary summary = Run(files);
        // The host may start the next batch from BatchEnded: it must find the worker idle.
        para_.busy = 0;
        host_.BatchEnded(summary);
    });
    return true;
}

void CConvertWorker::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

BatchSummary CConvertWorker::Run(const std::vector<BatchFile>& files) {
    BatchSummary summary;
    summary.total = static_cast<int>(files.size());
    GatedObserver gated(para_.observer, gate_);
    IConvertObserver* shown = para_.observer;
    para_.observer = &gated;

    if (std::string why = CheckOutputDir(para_.outputDir); !why.empty()) {
        for (const BatchFile& file : files) Fail(summary, file.path, why);
    } else if (jobs_ > 1 && files.size() > 1 && !childProgram_.empty()) {
        RunParallel(files, summary);
    } else {
        std::vector<std::string> resultsSeen;
        for (const BatchFile& file : files) {
            gate_.Pass();
            if (para_.cancelRequested) break;
            host_.FileBegins(file.path);
            ConvertOne(file, summary, resultsSeen);
            if (para_.cancelRequested) break;
        }
    }
    summary.cancelled = para_.cancelRequested != 0;
    if (!summary.cancelled && reportSummary_) {
        para_.Log("Converted " + std::to_string(summary.converted) + " of " + std::to_string(summary.total) +
                  " files.");
        para_.Progress(100);
    }
    para_.observer = shown;
    return summary;
}

void CConvertWorker::Fail(BatchSummary& summary, const std::string& source, const std::string& reason) {
    summary.failures.emplace_back(source, reason);
    host_.FileFailed(source, reason);
}

bool CConvertWorker::ClaimResult(const BatchFile& file, BatchSummary& summary, std::vector<std::string>& resultsSeen,
                                 std::string& result) {
    const bool imageJob = para_.jobMode == ModeExtractImages;
    int pages = 0;
    if (std::string why = CheckSource(file, pages); !why.empty()) return Fail(summary, file.path, why), false;
    if (!para_.pages.AnyOf(pages))
        return Fail(summary, file.path, "the page list selects none of its " + std::to_string(pages) + " pages"), false;

    const std::string base = BaseNameOf(file.path);
    result = JoinPath(para_.outputDir,
                      imageJob ? base : base + "." + para_.ResultFormat());
    // A source named like its result ("x.rtf" converted into its own folder) would be
    // destroyed by it; so would one named like the copy of its XML.
    std::error_code same;
    const std::string xmlCopy = para_.xmlCopyDir.empty() ? std::string() : JoinPath(para_.xmlCopyDir, base + ".xml");
    for (const std::string& written : {result, xmlCopy})
        if (!written.empty() && fs::equivalent(file.path, written, same))
            return Fail(summary, file.path, "its result " + written + " would replace the source itself: choose another output folder"),
                   false;
    // Two sources of one name would write one result; the first keeps it.
    for (const std::string& seen : resultsSeen)
        if (seen == result)
            return Fail(summary, file.path, "its result " + result + " would replace that of an earlier file of this batch"),
                   false;
    resultsSeen.push_back(result);

    std::error_code ec;
    if (!imageJob && para_.autoOpenFlag && fs::exists(result, ec)) {
        gate_.Pass();
        if (para_.cancelRequested) return false;
        if (!host_.AskReplace(result)) {
            ++summary.skipped;
            std::string reason = "the existing " + result + " is kept";
            summary.skippedFiles.emplace_back(file.path, reason);
            host_.FileSkipped(file.path, reason);
            return false;
        }
    }
    return true;
}

void CConvertWorker::ConvertOne(const BatchFile& file, BatchSummary& summary, std::vector<std::string>& resultsSeen) {
    const bool imageJob = para_.jobMode == ModeExtractImages;
    const bool doc = !para_.officeFormat.empty() && !imageJob;
    std::string result;
    if (!ClaimResult(file, summary, resultsSeen, result)) return;
    const std::string base = BaseNameOf(file.path);
    std::error_code ec;
    const bool hadResult = !imageJob && fs::exists(result, ec);

    // The result is written in a scratch folder beside it and renamed over the
    // old one only when it is complete: a failed or interrupted job leaves the
    // old result as it was (and a DOC job never touches a user's RTF of that name).
    ScratchFolder scratch(imageJob ? std::string() : platform::CreateScratchFolder(para_.outputDir));
    if (!imageJob && scratch.path.empty())
        return Fail(summary, file.path, "cannot write into the output folder " + para_.outputDir);

    para_.inputPath = file.path;
    para_.password = file.password;
    para_.rtfDir = scratch.path;
    para_.xmlCopyPath = para_.xmlCopyDir.empty() ? std::string() : JoinPath(para_.xmlCopyDir, base + ".xml");
    para_.lastPage = -1;
    steps_.convert(para_);
    para_.rtfDir.clear();

    if (imageJob) {
        if (para_.cancelRequested) return;
        return FinishImageJob(file, summary);
    }
    const std::string written = para_.rtfPath;
    const bool complete = !para_.cancelRequested && para_.jobResult == ResultDone;
    if (!fs::exists(written, ec)) {
        if (para_.cancelRequested) return;
        return Fail(summary, file.path, JobResultReason(para_));
    }
    if (!complete) {
        // What was done of an interrupted or failed file is kept only where it replaces nothing.
        // A document without a page is no result of anything, cut short or not.
        const bool partial = (para_.cancelRequested || para_.jobResult == ResultPageFailed) && para_.pagesWritten > 0;
        bool kept = partial && !doc && !hadResult && MoveInto(written, result);
        if (para_.cancelRequested) {
            // Said, not left behind without a word.
            if (kept)
                Note(summary, file.path,
                     "cancelled: the " + std::to_string(para_.pagesWritten) + " page" +
                         (para_.pagesWritten == 1 ? "" : "s") + " done so far were written to " + result);
            return;
        }
        std::string reason = JobResultReason(para_);
        if (kept) reason += " (a partial result was written to " + result + ")";
        else if (hadResult) reason += " (the earlier " + result + " is kept)";
        return Fail(summary, file.path, reason);
    }
    if (doc) {
        std::string why;
        const std::string docScratch = JoinPath(scratch.path, base + "." + para_.officeFormat);
        para_.FileSaving(file.path);
        if (!steps_.saveAsDoc(written, docScratch, why, &para_.cancelRequested)) {
            // A cancelled file leaves nothing behind: its RTF goes with the scratch folder.
            if (para_.cancelRequested) return;
            // The RTF is all the user has of this file: it stays, and the message says where.
            std::string kept = KeepRtf(written);
            return Fail(summary, file.path, why + (kept.empty() ? "" : "; the RTF " + kept + " is kept"));
        }
        if (!MoveInto(docScratch, result)) return Fail(summary, file.path, "cannot write " + result);
    } else if (!MoveInto(written, result)) {
        return Fail(summary, file.path, "cannot write " + result);
    }
    Converted(summary, file.path, result);
    for (const std::string& note : para_.TakeNotes()) Note(summary, file.path, note);
    // The text is all there, but the user must hear which pictures are not.
    if (const pagegraphics::PictureTally& pictures = para_.pictures; pictures.failed > 0)
        Note(summary, file.path, std::to_string(pictures.failed) + " picture" + (pictures.failed == 1 ? "" : "s") +
                                      " could not be rendered and " + (pictures.failed == 1 ? "is" : "are") +
                                      " missing from " + result + ": " + pictures.firstProblem);
}

void CConvertWorker::Converted(BatchSummary& summary, const std::string& source, const std::string& result,
                               bool firstResult) {
    if (firstResult) {
        ++summary.converted;
        summary.convertedFiles.push_back(source);
    }
    summary.results.push_back(result);
    para_.FileFinished(source, result);
    host_.FileConverted(source, result);
}

void CConvertWorker::Note(BatchSummary& summary, const std::string& source, const std::string& note) {
    summary.notes.emplace_back(source, note);
    host_.FileNote(source, note);
}

void CConvertWorker::ConvertedWithoutResult(BatchSummary& summary, const std::string& source) {
    ++summary.converted;
    summary.convertedFiles.push_back(source);
    para_.FileFinished(source, para_.outputDir);
}

// An image job's results are the page folders it wrote; pages without pictures
// have none, which is no failure.
void CConvertWorker::FinishImageJob(const BatchFile& file, BatchSummary& summary) {
    if (std::string why = ImageJobProblem(para_); !why.empty()) return Fail(summary, file.path, why);
    const pagegraphics::PictureTally& pictures = para_.pictures;
    for (size_t i = 0; i < pictures.folders.size(); ++i) Converted(summary, file.path, pictures.folders[i], i == 0);
    for (const std::string& note : para_.TakeNotes()) Note(summary, file.path, note);
    if (pictures.skewed > 0)
        Note(summary, file.path, std::to_string(pictures.skewed) + " skewed picture" +
                                      (pictures.skewed == 1 ? "" : "s") + " left out");
    if (pictures.folders.empty()) {
        if (pictures.skewed == 0) Note(summary, file.path, "no pictures on the selected pages");
        ConvertedWithoutResult(summary, file.path);
    }
}

// Moves the scratch RTF of a failed DOC step into the output folder, under its
// own name unless a file already has it.
std::string CConvertWorker::KeepRtf(const std::string& rtfPath) const {
    fs::path source(rtfPath);
    std::string stem = source.stem().string();
    std::error_code ec;
    for (int n = 1; n < 100; ++n) {
        std::string name = n == 1 ? stem + ".rtf" : stem + " (" + std::to_string(n) + ").rtf";
        std::string target = JoinPath(para_.outputDir, name);
        if (fs::path(target) == source) return target;
        if (fs::exists(target, ec)) continue;
        fs::rename(source, target, ec);
        if (ec) {
            fs::copy_file(source, target, ec);
            if (ec) return {};
        }
        return target;
    }
    return {};
}
