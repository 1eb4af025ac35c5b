#pragma once
// One run of a text item: the text of one data line with its character format.
#include <cstdint>
#include <string>

class CRtfXmlText;

template <typename Tag = void>
class TRtfWord {
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

    // RTF group of the run; raise is non-zero only for the runs of a superscript.
    std::string WriteRun(int8_t raise) const;
    // Font and text only ("TEXT ONLY").
    std::string WritePlainRun() const;
};

using CRtfWord = TRtfWord<void>;
extern template class TRtfWord<void>;
