#include "extract/HtmlFont.h"

#include <algorithm>
#include <cctype>

const char* HtmlFont::DefaultName() { return "Times New Roman"; }

HtmlFont::HtmlFont(const char* fontName, int fontSize, double extra, HtmlColor fontColor)
    : size(fontSize), extraSize(extra), name(fontName ? fontName : DefaultName()), color(fontColor) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    bold = lower.find("bold") != std::string::npos || lower.find("black") != std::string::npos;
    italic = lower.find("italic") != std::string::npos;
    oblique = lower.find("oblique") != std::string::npos;
}
