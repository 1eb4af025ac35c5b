#include "extract/HtmlFont.h"

#include <algorithm>
#include <cctype>

const char* HtmlFont::DefaultName() { return "Times New Roman"; }

HtmlFont::HtmlFont(const char* fontName, int fontSize, double extra, HtmlColor fontColor, HtmlFontTraits descriptor,
                   HtmlFontClass fontClass)
    : size(fontSize), extraSize(extra), name(fontName ? fontName : DefaultName()), color(fontColor),
      faceClass(fontClass) {
    HtmlFontTraits fromName = TraitsFromName(name);
    bold = fromName.bold || descriptor.bold;
    italic = fromName.italic || descriptor.italic;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    oblique = lower.find("oblique") != std::string::npos;
}
