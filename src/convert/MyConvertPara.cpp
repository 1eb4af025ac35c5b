#include "convert/MyConvertPara.h"
#include <utility>

CConvertPara::~CConvertPara() = default;

void CConvertPara::AddNote(const std::string& note) {
    {
        std::lock_guard<std::mutex> hold(notesLock_);
        notes_.push_back(note);
    }
    Log(note);
}

std::vector<std::string> CConvertPara::TakeNotes() {
    std::lock_guard<std::mutex> hold(notesLock_);
    return std::exchange(notes_, {});
}

void MyConvertPara::SetDocFormat(const std::string& format) {
    DocFormat = format;
    officeFormat = format == "rtf" ? std::string() : format;
}

void MyConvertPara::Progress(int32_t percent) {
    std::lock_guard<std::mutex> lock(observerLock_);
    if (observer) observer->Progress(percent);
}

void MyConvertPara::Log(const std::string& line) {
    std::lock_guard<std::mutex> lock(observerLock_);
    if (observer) observer->Log(line);
}

void MyConvertPara::FileStarted(const std::string& source, const std::string& destination) {
    std::lock_guard<std::mutex> lock(observerLock_);
    if (observer) observer->FileStarted(source, destination);
}

void MyConvertPara::FileFinished(const std::string& source, const std::string& destination) {
    std::lock_guard<std::mutex> lock(observerLock_);
    if (observer) observer->FileFinished(source, destination);
}

void MyConvertPara::FileLog(const std::string& source, const std::string& line) {
    std::lock_guard<std::mutex> lock(observerLock_);
    if (observer) observer->FileLog(source, line);
}

void MyConvertPara::FileSaving(const std::string& source) {
    std::lock_guard<std::mutex> lock(observerLock_);
    if (observer) observer->FileSaving(source);
}
