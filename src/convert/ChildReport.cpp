#include "convert/ChildReport.h"

namespace {

// Tabs and line ends inside a field would break the line apart.
std::string Field(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return out;
}

std::string Report(char letter, const std::string& first, const std::string& second = {}) {
    return std::string(1, letter) + " " + Field(first) + (second.empty() ? "" : "\t" + Field(second));
}

}  // namespace

std::string ProgressReport(int percent) { return Report('P', std::to_string(percent)); }
std::string LogReport(const std::string& line) { return Report('L', line); }
std::string StartedReport(const std::string& s, const std::string& d) { return Report('S', s, d); }
std::string ConvertedReport(const std::string& s, const std::string& r) { return Report('F', s, r); }
std::string FailedReport(const std::string& s, const std::string& r) { return Report('X', s, r); }
std::string NoteReport(const std::string& s, const std::string& n) { return Report('N', s, n); }
std::string SavingReport(const std::string& s) { return Report('D', s); }

ChildReport ParseChildReport(const std::string& line) {
    ChildReport report;
    if (line.size() < 2 || line[1] != ' ') return report;
    switch (line[0]) {
    case 'P': report.kind = ChildReport::Progress; break;
    case 'L': report.kind = ChildReport::Log; break;
    case 'S': report.kind = ChildReport::Started; break;
    case 'F': report.kind = ChildReport::Converted; break;
    case 'X': report.kind = ChildReport::Failed; break;
    case 'N': report.kind = ChildReport::Note; break;
    case 'D': report.kind = ChildReport::Saving; break;
    default: return report;
    }
    std::string rest = line.substr(2);
    size_t tab = rest.find('\t');
    report.first = rest.substr(0, tab);
    if (tab != std::string::npos) report.second = rest.substr(tab + 1);
    return report;
}
