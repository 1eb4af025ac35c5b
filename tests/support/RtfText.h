#pragma once
// What a reader of an RTF file sees as text, for checking that words arrived.
#include <cstddef>
#include <string>
#include <vector>

namespace testpdf {

// The text of an RTF body: control words and group braces dropped, escaped characters kept,
// a paragraph end read as a blank.
std::string RtfPlainText(const std::string& rtf);

// The values of every occurrence of a control word ("cellx" for "\\cellx1333"), in order.
std::vector<long> ControlWordValues(const std::string& rtf, const std::string& word);

// The visible text of each paragraph that holds any, blanks collapsed.
std::vector<std::string> RtfParagraphs(const std::string& rtf);

// How often `what` stands in `text`, overlaps counted.
size_t CountOccurrences(const std::string& text, const std::string& what);

// Appends the code point as UTF-8.
void AppendUtf8(std::string& out, unsigned long codePoint);

}  // namespace testpdf
