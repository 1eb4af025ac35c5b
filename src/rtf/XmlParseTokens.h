#pragma once
// Helpers shared by the passes of the XML reader.
#include <string>
#include <vector>

// Tokens of a line, split at blanks (runs of blanks are one separator).
std::vector<std::string> SplitTokens(const std::string& line);
bool StartsWith(const std::string& line, const char* prefix);
// A ">" after the first character: the line holds a complete start tag.
bool HasTagEnd(const std::string& line);
