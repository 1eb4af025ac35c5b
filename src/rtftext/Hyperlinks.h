#pragma once
// Link markers of the extraction inside finished RTF strings.
#include <string>

class CRtfXmlText;

// Every complete link becomes a HYPERLINK field (targets that start with the
// XML file's name lose that prefix); with plain set, only its visible text stays.
std::string RewriteLinks(const std::string& s, const std::string& xmlFileName, bool plain);
std::string StripLinks(const std::string& s);
// The links of the item's RTF as fields, relative to the XML file of its page's document.
std::string ApplyLinks(const CRtfXmlText& item, const std::string& rtf);
