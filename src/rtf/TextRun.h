#pragma once
// One run of a text item: the text of one data line with its character format,
// and the list of an item's runs in data-line order.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CRtfXmlText;

// Bits of TextRun::style, as the extraction writes them.
constexpr uint8_t kStyleBold = 0x01;
constexpr uint8_t kStyleItalic = 0x02;
constexpr uint8_t kStyleUnderline = 0x04;
constexpr uint8_t kStyleShadow = 0x40;

class TextRun {
public:
    int32_t colorIndex = 0;
    float rise = 0;
    float leading = 0;
    int32_t fontIndex = 0;
    int16_t charSpace = 0;
    int16_t wordSpace = 0;
    uint8_t hScale = 0;
    uint8_t style = 0;
    uint16_t fontSize = 10;
    std::string text;       // decoded: braces as "\{" "\}", wide characters as "\uc1\u...X", link markers kept
    std::string plainText;  // cache of the measured text
    CRtfXmlText* owner = nullptr;
};

using RunList = std::vector<std::unique_ptr<TextRun>>;

// The raw text of all runs.
std::string RunText(const RunList& runs);
