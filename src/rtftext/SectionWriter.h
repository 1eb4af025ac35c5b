#pragma once
// A section of a flowing page written as one RTF section with real columns.
#include <string>

class PageLayout;
class CRtfSection;

// The column definition words of a section of several columns.
std::string ColumnsHeader(const CRtfSection& section);
// The section's RTF, without the section break.
std::string WriteSection(CRtfSection& section, PageLayout& layout);
