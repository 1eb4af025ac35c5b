#pragma once
// Checks of whole RTF results against the intermediate XML they came from: the
// words the reader sees, and the numbers of the geometry words.
#include <string>
#include <vector>

namespace rtfcheck {

// The visible text of an RTF body as UTF-8: control words dropped, the header
// tables and field instructions skipped, paragraph, cell and column ends as blanks.
std::string VisibleText(const std::string& rtf);
// The words of all the XML's data lines as UTF-8, link markers dropped.
std::vector<std::string> XmlWords(const std::string& xml);
// XML words that the layout places but the RTF page does not hold (as a word or
// inside a longer one); empty when none.
std::vector<std::string> MissingWords(const std::string& xml, const std::string& rtf);
// Characters that the RTF text holds more often than the XML: text written twice.
std::string DuplicatedCharacters(const std::string& xml, const std::string& rtf);
// The first fault of the geometry words: "\sl--", a negative or wrapped-around
// number, cell edges that do not increase within a row, columns wider than the
// text; empty when none.
std::string GeometryFault(const std::string& rtf);

}  // namespace rtfcheck
