#pragma once
// Helpers shared by the passes of the XML reader.
#include <string>
#include <string_view>
#include <vector>

// Tokens of a line, split at blanks (runs of blanks are one separator); views into the line,
// which must outlive them.
std::vector<std::string_view> SplitTokens(std::string_view line);
bool StartsWith(const std::string& line, const char* prefix);
// A ">" after the first character: the line holds a complete start tag.
bool HasTagEnd(const std::string& line);
