#pragma once
// A batch of conversions, one file after another: the source checks, the replace
// question, the driver, the DOC step and the check of each result. The window
// runs it on a thread of its own; the command line runs it in place.
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "convert/MyConvertPara.h"
#include "convert/WorkerGate.h"

struct BatchFile {
    std::string path;
    std::string password;  // for encrypted sources; each file has its own
};

struct BatchSummary {
    int total = 0;
    int converted = 0;
    int skipped = 0;  // an existing result the user chose to keep
    bool cancelled = false;
    std::vector<std::string> results;  // full paths of the results written, in order
    std::vector<std::pair<std::string, std::string>> failures;  // source, reason
    std::vector<std::pair<std::string, std::string>> notes;     // source, note: what a converted file lacks
    std::vector<std::string> convertedFiles;                    // sources converted, in order
    std::vector<std::pair<std::string, std::string>> skippedFiles;  // source, reason (counted in `skipped`)
};

// Whoever started the batch. Called on the worker's thread: a window must hand
// the calls over to its own thread.
class IWorkerHost {
public:
    virtual ~IWorkerHost() = default;
    // "<path> already exists. Do you want to replace it?"; true replaces it.
    virtual bool AskReplace(const std::string& path) = 0;
    // A file is about to be checked and converted.
    virtual void FileBegins(const std::string& /*source*/) {}
    virtual void FileFailed(const std::string& source, const std::string& reason) = 0;
    virtual void FileConverted(const std::string& source, const std::string& result) = 0;
    // Something the user should know about a file that did not fail (an image
    // job that found no pictures, or left skewed ones out).
    virtual void FileNote(const std::string& /*source*/, const std::string& /*note*/) {}
    // A file not converted by the user's choice (an existing result kept).
    virtual void FileSkipped(const std::string& /*source*/, const std::string& /*reason*/) {}
    // The last call of a batch, also after a cancellation.
    virtual void BatchEnded(const BatchSummary& summary) = 0;
};

// The steps a batch runs, replaceable by stand-ins in tests.
struct WorkerSteps {
    std::function<void(CConvertPara&)> convert;
    // Saves the RTF as DOC; false with the reason when no DOC was written.
    // `stop` is the job's cancel flag: raised, it ends the word processor.
    std::function<bool(const std::string& rtfPath, const std::string& docPath, std::string& why,
                       const std::atomic<int32_t>* stop)>
        saveAsDoc;
};

class CConvertWorker {
public:
    CConvertWorker(MyConvertPara& para, IWorkerHost& host, WorkerSteps steps);
    ~CConvertWorker();  // waits for a running batch
    CConvertWorker(const CConvertWorker&) = delete;
    CConvertWorker& operator=(const CConvertWorker&) = delete;

    // Starts the batch on a thread of its own; false while another still runs.
    // The job settings are those of the record; `busy` stays set until the batch ends.
    bool Start(std::vector<BatchFile> files);
    // Runs the batch on the calling thread (a cancel requested before it begins counts).
    BatchSummary Run(const std::vector<BatchFile>& files);
    // Waits for the thread of a started batch (after its BatchEnded).
    void Join();
    bool Running() const { return para_.busy != 0; }

    // The cancel question closes the gate while it is open, so that the job
    // waits at its next boundary instead of running on under the question.
    WorkerGate& Gate() { return gate_; }
    void RequestCancel() { para_.cancelRequested = 1; }
    // Up to `jobs` files at once, each converted by a run of `program` (the
    // command-line converter); 1 (or no program) converts one file after another.
    void SetParallel(int jobs, std::string program) {
        jobs_ = jobs;
        childProgram_ = std::move(program);
    }
    // A child run leaves the closing "Converted k of n files." to its parent.
    void SetReportSummary(bool report) { reportSummary_ = report; }

private:
    void ConvertOne(const BatchFile& file, BatchSummary& summary, std::vector<std::string>& resultsSeen);
    void RunParallel(const std::vector<BatchFile>& files, BatchSummary& summary);
    // The checks before a file is converted (source, page list, one result per name,
    // the replace question); false when the file is not to be converted.
    bool ClaimResult(const BatchFile& file, BatchSummary& summary, std::vector<std::string>& resultsSeen,
                     std::string& result);
    void Fail(BatchSummary& summary, const std::string& source, const std::string& reason);
    void Note(BatchSummary& summary, const std::string& source, const std::string& note);
    void FinishImageJob(const BatchFile& file, BatchSummary& summary);
    // A result of a file; an image job has one per page folder, and only its
    // first counts the file as converted.
    void Converted(BatchSummary& summary, const std::string& source, const std::string& result,
                   bool firstResult = true);
    // A file that ended well with nothing to show (an image job without pictures).
    void ConvertedWithoutResult(BatchSummary& summary, const std::string& source);
    std::string KeepRtf(const std::string& rtfPath) const;

    MyConvertPara& para_;
    IWorkerHost& host_;
    WorkerSteps steps_;
    WorkerGate gate_;
    std::thread thread_;
    int jobs_ = 1;
    bool reportSummary_ = true;
    std::string childProgram_;
};

// Why a source cannot be converted, or empty when it can; fills `pages`.
std::string CheckSource(const BatchFile& file, int& pages);
// Why results cannot be written into `dir` (created when missing), or empty.
std::string CheckOutputDir(const std::string& dir);
// The user's words for a job result code.
std::string JobResultReason(const CConvertPara& para);
// Why an image job failed (its source, or pictures that could not be made), or empty.
std::string ImageJobProblem(const CConvertPara& para);
// The command line of the child run that converts `file` of a parallel batch.
std::vector<std::string> ChildArguments(const MyConvertPara& para, const std::string& program, const std::string& file);
