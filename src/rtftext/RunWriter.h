#pragma once
// Runs as RTF character groups.
#include <cstdint>
#include <string>

#include "rtf/TextRun.h"

// RTF group of the run; raise is non-zero only for the runs of a superscript.
std::string WriteRun(const TextRun& run, int8_t raise);
// Font and text only ("TEXT ONLY").
std::string WritePlainRun(const TextRun& run);
std::string WriteRuns(const RunList& runs, int8_t raise);
std::string WritePlainRuns(const RunList& runs);
