#include "cli/TerminalObserver.h"

#include <algorithm>

TerminalObserver::TerminalObserver(Verbosity verbosity, FILE* err, bool errIsTerminal)
    : verbosity_(verbosity), err_(err), terminal_(errIsTerminal) {}

void TerminalObserver::Progress(int32_t percent) {
    percent_ = std::clamp(percent, 0, 100);  // the last page of a range reports past 100
    if (verbosity_ == Verbosity::Normal && terminal_) DrawBar();
}

void TerminalObserver::Log(const std::string& line) {
    if (verbosity_ == Verbosity::Verbose) {
        std::fprintf(err_, "%s\n", line.c_str());
        std::fflush(err_);
    } else if (verbosity_ == Verbosity::Normal && terminal_) {
        status_ = line;
        DrawBar();
    }
}

void TerminalObserver::FileLog(const std::string& source, const std::string& line) {
    size_t slash = source.find_last_of('/');
    std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
    if (verbosity_ == Verbosity::Verbose) {
        std::fprintf(err_, "%s: %s\n", name.c_str(), line.c_str());
        std::fflush(err_);
    } else if (verbosity_ == Verbosity::Normal && terminal_) {
        name_ = name;
        status_ = line;
        DrawBar();
    }
}

void TerminalObserver::BeginFile(const std::string& source) {
    size_t slash = source.find_last_of('/');
    name_ = slash == std::string::npos ? source : source.substr(slash + 1);
    percent_ = 0;
    status_.clear();
}

void TerminalObserver::FileStarted(const std::string&, const std::string&) {
    percent_ = 0;
    if (verbosity_ == Verbosity::Normal && terminal_) DrawBar();
}

void TerminalObserver::FileFinished(const std::string&, const std::string&) { ClearBar(); }

void TerminalObserver::DrawBar() {
    constexpr int width = 30;
    int filled = percent_ * width / 100;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(width - filled), '.');
    std::string label = name_;
    if (!status_.empty()) label += ": " + status_;
    if (label.size() > 60) label = label.substr(0, 57) + "...";
    std::fprintf(err_, "\r\033[K[%s] %3d%%  %s", bar.c_str(), percent_, label.c_str());
    std::fflush(err_);
    barShown_ = true;
}

void TerminalObserver::ClearBar() {
    if (!barShown_) return;
    std::fprintf(err_, "\r\033[K");
    std::fflush(err_);
    barShown_ = false;
}
