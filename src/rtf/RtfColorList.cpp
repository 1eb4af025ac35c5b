#include "rtf/RtfColorData.h"

namespace {

// A pair of hexadecimal digits read as far as it is valid: "1g" is 1, "g1" is 0.
uint8_t HexPair(char high, char low) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    int h = digit(high);
    if (h < 0) return 0;
    int l = digit(low);
    if (l < 0) return static_cast<uint8_t>(h);
    return static_cast<uint8_t>(h * 16 + l);
}

}  // namespace

RtfColorData* CRtfColorList::AddColor(uint8_t red, uint8_t green, uint8_t blue) {
    for (const auto& c : entries)
        if (c->red == red && c->green == green && c->blue == blue) return c.get();
    entries.push_back(std::make_unique<RtfColorData>(RtfColorData{red, green, blue, static_cast<int>(entries.size())}));
    return entries.back().get();
}

RtfColorData* CRtfColorList::ParseColor(const std::string& text) {
    std::string hex;
    for (char c : text)
        if (c != '"' && c != '#') hex += c;
    if (hex.size() != 6) return nullptr;
    return AddColor(HexPair(hex[0], hex[1]), HexPair(hex[2], hex[3]), HexPair(hex[4], hex[5]));
}
