#pragma once
// One conversion run in the test's own process with the real engines, as the
// driver runs it, for tests that look at the RTF a PDF gives.
#include <string>

#include "support/TempDir.h"

namespace testpdf {

// Converts DIR/NAME.pdf into DIR in the given layout (0 flowing, 2 formatted, ...)
// and gives DIR/NAME.rtf; the conversion's success is checked.
std::string ConvertInDir(const TempDir& dir, const std::string& name, int mode = 0, bool keepLines = false);

}  // namespace testpdf
