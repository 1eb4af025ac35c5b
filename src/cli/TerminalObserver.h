#pragma once
// Shows a running job on the terminal: a progress bar, or every status line.
#include <cstdio>
#include <string>

#include "cli/CliOptions.h"
#include "convert/MyConvertPara.h"

class TerminalObserver : public IConvertObserver {
public:
    TerminalObserver(Verbosity verbosity, FILE* err, bool errIsTerminal);

    void Progress(int32_t percent) override;
    void Log(const std::string& line) override;
    void FileStarted(const std::string& source, const std::string& destination) override;
    void FileFinished(const std::string& source, const std::string& destination) override;
    // A status line of one file of a parallel batch: shown with the file's name.
    void FileLog(const std::string& source, const std::string& line) override;

    // Names the file the next job works on, so the bar shows it from the first
    // status line on (the text pass reports no progress of its own).
    void BeginFile(const std::string& source);
    // Removes the bar so that the next line starts clean.
    void ClearBar();

private:
    void DrawBar();

    Verbosity verbosity_;
    FILE* err_;
    bool terminal_;
    bool barShown_ = false;
    int percent_ = 0;
    std::string name_;
    std::string status_;
};
