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

int CRtfColorList::Nearest(int packed) const {
    const int red = packed & 0xFF, green = (packed >> 8) & 0xFF, blue = (packed >> 16) & 0xFF;
    int best = 0;
    long bestDistance = -1;
    for (const auto& c : entries) {
        // Green weighs most and blue least, roughly as the eye sees them.
        const long d = 3L * (c->red - red) * (c->red - red) + 4L * (c->green - green) * (c->green - green) +
                       2L * (c->blue - blue) * (c->blue - blue);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = c->index;
        }
    }
    return best;
}

void CRtfColorList::AddTableColours() {
    static constexpr unsigned kTableColours[] = {
        0x404040, 0x808080, 0xA6A6A6, 0xBFBFBF, 0xD9D9D9, 0xF2F2F2, 0xFFFFFF,  // greys
        0xDEEAF6, 0xBDD7EE, 0xDAE3F3, 0xE2EFDA, 0xC5E0B3, 0xFBE4D5, 0xFFF2CC,  // light tints
        0x4472C4, 0x1F3864, 0x70AD47, 0xED7D31, 0xC00000,                      // header colours
    };
    for (unsigned rgb : kTableColours)
        AddColor(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
}
