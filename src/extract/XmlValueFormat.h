#pragma once
// Number and text helpers shared by the writers of the intermediate XML.
#include <cmath>
#include <climits>
#include <string>

namespace xmlvalue {

// Toward zero, saturating at the int range (a NaN gives 0): page geometry can be
// absurd in broken files, and a float-to-int overflow is undefined behaviour.
inline int Truncate(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// "Round": add 0.5, then truncate toward zero.
inline int Round(double v) { return Truncate(v + 0.5); }
// The width a text element is written with: one unit past its end.
inline int WrittenWidth(double xMin, double xMax) { return Round(xMax - xMin) + 1; }

// The file is read line by line: a carriage return or line feed inside a value
// would split its line, so each becomes a blank.
inline std::string OneLine(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace xmlvalue
