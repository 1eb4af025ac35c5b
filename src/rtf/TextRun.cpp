// The text of a list of runs.
#include "rtf/TextRun.h"

std::string RunText(const RunList& runs) {
    std::string out;
    for (const auto& run : runs) out += run->text;
    return out;
}
