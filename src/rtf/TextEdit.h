#pragma once
// Whole-string edits shared by the reader and the writers.
#include <string>
#include <string_view>

// Replaces every occurrence, left to right; replaced text is not searched again.
inline void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
}

inline void RemoveAll(std::string& s, std::string_view what) { ReplaceAll(s, what, {}); }

inline std::string Trimmed(const std::string& s, const char* blanks = " \t\r\n\f\v") {
    size_t b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}
