#pragma once
// The lines in which a child run of a parallel batch reports to its parent:
// a letter, a blank and the fields, separated by tabs.
#include <string>

inline constexpr const char* kChildOption = "--batch-child";
// The child's password travels in its environment, out of sight of other users' process lists.
inline constexpr const char* kChildPasswordVariable = "VELLUMOR_CHILD_PASSWORD";

struct ChildReport {
    enum Kind { None, Progress, Log, Started, Converted, Failed, Note, Saving };
    Kind kind = None;
    std::string first, second;
};

std::string ProgressReport(int percent);
std::string LogReport(const std::string& line);
std::string StartedReport(const std::string& source, const std::string& destination);
std::string ConvertedReport(const std::string& source, const std::string& result);
std::string FailedReport(const std::string& source, const std::string& reason);
std::string NoteReport(const std::string& source, const std::string& note);
std::string SavingReport(const std::string& source);
ChildReport ParseChildReport(const std::string& line);
