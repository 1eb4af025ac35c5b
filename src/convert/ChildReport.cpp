#include "convert/ChildReport.h"

namespace {

// Tabs and line ends inside a field (a file name may hold them) would break the
// line apart: they travel escaped, and come back as they were.
std::string Field(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unfield(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char next = field[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
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
    report.first = Unfield(rest.substr(0, tab));
    if (tab != std::string::npos) report.second = Unfield(rest.substr(tab + 1));
    return report;
}
