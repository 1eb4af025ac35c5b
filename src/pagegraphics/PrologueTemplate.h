#pragma once
// The prologue template ("starttext.ps") that every cut-out picture page starts
// with: the PostScript device's own prolog and document set-up, the operators
// the recorded texts use, and a line where the paper set-up goes.
#include <string>

namespace pagegraphics {

inline constexpr const char* kPrologueName = "starttext.ps";
inline constexpr const char* kPageSizeTag = "%%PageSizeTag";

// Builds the template from what the PDF core's PostScript device writes for an
// empty page. The core's global parameters must exist. Empty, with `error`
// set, when the device output does not have the expected shape.
std::string BuildPrologueTemplate(std::string& error);

// Path of the installed template (beside the executable, else the data
// folder); empty when there is none.
std::string PrologueTemplatePath();

}  // namespace pagegraphics
