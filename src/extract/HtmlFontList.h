#pragma once
// The document-wide list of font records; a record's index is its fontspec id.
#include <string>
#include <vector>

#include "extract/HtmlFont.h"

class HtmlFontList {
public:
    // Index of an equal record, appending a copy when there is none.
    int add(const HtmlFont& font);
    const HtmlFont& get(int index) const { return fonts[static_cast<size_t>(index)]; }
    int size() const { return static_cast<int>(fonts.size()); }

    // The fontspec element of a record, without the leading tab and the line feed.
    std::string fontspecLine(int index) const;
    // A run's characters as the 8-bit, entity-escaped text of a data line.
    static std::string escape(const HtmlFont& font, const unsigned* unicodes, int count);

private:
    std::vector<HtmlFont> fonts;
};
