#pragma once
// Files that stand in for a word processor's results in tests with a fake one.
#include <string>

namespace testpdf {

// A compound file (the container of DOC) of 21 sectors whose allocation table uses
// them all: what the converter reads back as a whole DOC.
std::string MinimalCompoundFile();

}  // namespace testpdf
