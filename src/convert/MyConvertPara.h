#pragma once
// The application's one parameters record: the mirror of the user's settings,
// the files of the batch and the worker bookkeeping, with the observer
// operations forwarded to whatever shows the job's progress.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "convert/CConvertPara.h"

// What shows a running job: the progress page of the window, or the terminal.
// Called on the threads that run the job, one call at a time; implementations
// must not touch widgets from there directly.
class IConvertObserver {
public:
    virtual ~IConvertObserver() = default;
    virtual void Progress(int32_t percent) = 0;
    virtual void Log(const std::string& line) = 0;
    virtual void FileStarted(const std::string& source, const std::string& destination) = 0;
    virtual void FileFinished(const std::string& source, const std::string& destination) = 0;
    // A status line of the file `source` (from a child run of a parallel batch).
    virtual void FileLog(const std::string& /*source*/, const std::string& line) { Log(line); }
    // The RTF of `source` is complete; the word processor now writes the DOC (DOCX, ODT) result.
    virtual void FileSaving(const std::string& /*source*/) {}
};

class MyConvertPara : public CConvertPara {
public:
    MyConvertPara() = default;

    void Progress(int32_t percent) override;
    void Log(const std::string& line) override;
    void FileStarted(const std::string& source, const std::string& destination) override;
    void FileFinished(const std::string& source, const std::string& destination) override;
    void FileLog(const std::string& source, const std::string& line);
    void FileSaving(const std::string& source);

    // "rtf", or a word-processor format ("doc", "docx", "odt"): DocFormat and the job field behind it.
    void SetDocFormat(const std::string& format);

    std::string DestDir;
    std::string DocFormat = "rtf";
    std::string AutoOpen = "No";
    std::string Layout = "FLOWING TEXT";
    std::string ImageFilter = "No";
    std::string Preserve = "No";
    std::string KeepLines = "No";
    std::string sourceDir;
    std::string imageFormat = "BMP";
    int32_t autoOpenFlag = 0;
    IConvertObserver* observer = nullptr;
    std::atomic<int32_t> busy{0};

private:
    // A job's page graphics may report from a second thread.
    std::mutex observerLock_;
};
