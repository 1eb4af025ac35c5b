#pragma once
// The record that carries one conversion job and the channel through which the
// job reports back to whoever started it.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "convert/PageSelection.h"
#include "pagegraphics/PageGraphicsJob.h"

enum JobMode : int32_t {
    ModeFlowingText = 0,
    ModeAsIs = 1,
    ModeFormattedText = 2,
    ModeTextOnly = 3,
    ModeExtractImages = 4,
};

// Result codes of the page loops.
// When the words of a page are recognised from its picture.
enum OcrMode : int32_t {
    OcrAuto = 0,    // pages without text of their own (a scan, a fax)
    OcrAlways = 1,  // every page: the words its pictures show are recognised too
    OcrNever = 2,
};

enum JobResult : int32_t {
    ResultDone = 0,
    ResultCannotOpen = 49,   // the PDF could not be opened, or its XML not loaded
    ResultCannotWrite = 50,  // the RTF file could not be created
    ResultPageFailed = 51,   // the RTF engine failed on a page
    ResultWrongPassword = 52,  // the PDF is encrypted and the password opens it neither as owner nor as user
    ResultNoPageWritten = 53,  // not one selected page reached the result, so none is left behind
    ResultNoWorkspace = 54,    // the temp folder took no workspace or no copy of the PDF (full, not writable)
};

class CConvertPara : public pagegraphics::IPassObserver {
public:
    CConvertPara() = default;
    CConvertPara(const CConvertPara&) = delete;
    CConvertPara& operator=(const CConvertPara&) = delete;
    ~CConvertPara() override;

    // Called on the thread that runs the job.
    virtual void Progress(int32_t percent) = 0;
    void Log(const std::string& line) override = 0;
    virtual void FileStarted(const std::string& source, const std::string& destination) = 0;
    virtual void FileFinished(const std::string& source, const std::string& destination) = 0;

    // The format of the result: "rtf", or what the word processor makes of the RTF.
    std::string ResultFormat() const { return officeFormat.empty() ? "rtf" : officeFormat; }

    int32_t currentPage = 0;
    PageSelection pages;
    int32_t firstPage = 1;
    int32_t lastPage = -1;
    // "doc", "docx" or "odt" when the word-processor step turns the RTF into the result; empty for an RTF result.
    std::string officeFormat;
    int32_t jobMode = ModeFlowingText;
    std::string inputPath;
    std::string workDir;
    std::string baseName;
    std::string xmlPath;
    std::string rtfPath;
    std::string outputDir;
    std::string password;
    std::string fontMapKey;
    std::string imageDevice;
    int32_t removeImages = 0;
    // Flowing text writes each source line as a paragraph of its own, for users who
    // want the exact line breaks rather than paragraphs that re-flow when edited.
    bool keepLines = false;
    int32_t ocrMode = OcrAuto;
    // Tesseract's language names joined by "+" ("eng+deu"); empty: the installed
    // languages of the user's locale, else English.
    std::string ocrLanguages;
    // The only field written by another thread while a job runs.
    std::atomic<int32_t> cancelRequested{0};

    // When not empty, the intermediate XML is copied to this path right after the
    // text pass (it otherwise disappears with the workspace).
    std::string xmlCopyPath;
    // For a batch: when not empty, each file's XML is kept as <folder>/<name>.xml.
    std::string xmlCopyDir;
    // When not empty, the RTF is written into this folder instead of the output
    // folder (the RTF that the DOC step turns into the result).
    std::string rtfDir;
    // Result code of the last job's page loops, so a front end can say why a file failed.
    int32_t jobResult = ResultDone;
    // Why the workspace of the last job could not be made, in the system's words.
    std::string workspaceProblem;
    // Pages the last RTF build wrote: a file cut short is kept only with pages in it.
    int32_t pagesWritten = 0;
    // Pictures of the last job (cleared when a job starts).
    pagegraphics::PictureTally pictures;

    // What the user must hear of the last job although its file converted (a page cut
    // short); both passes of a job add to it, from their own threads.
    void AddNote(const std::string& note) override;
    std::vector<std::string> TakeNotes();

private:
    std::mutex notesLock_;
    std::vector<std::string> notes_;
};
