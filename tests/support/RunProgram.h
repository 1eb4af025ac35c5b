#pragma once
#include "platform/Process.h"

namespace testpdf {
inline platform::ProcessResult RunProgram(const std::vector<std::string>& argv, const std::string& dir = {}) {
    return platform::RunProcess(argv, dir);
}
}  // namespace testpdf
