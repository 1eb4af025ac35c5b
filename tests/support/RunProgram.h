#pragma once
#include <fstream>
#include <string>

#include "platform/Process.h"

namespace testpdf {
inline platform::ProcessResult RunProgram(const std::vector<std::string>& argv, const std::string& dir = {}) {
    return platform::RunProcess(argv, dir);
}

// True while the process `pid` exists and is not merely waiting to be reaped.
inline bool ProcessRunning(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}
}  // namespace testpdf
