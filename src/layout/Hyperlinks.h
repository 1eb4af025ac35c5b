#pragma once
// Link markers of the extraction inside finished RTF strings.
#include <string>

// Every complete link becomes a HYPERLINK field (targets that start with the
// XML file's name lose that prefix); with plain set, only its visible text stays.
std::string RewriteLinks(const std::string& s, const std::string& xmlFileName, bool plain);
std::string StripLinks(const std::string& s);
