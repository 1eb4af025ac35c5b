#pragma once
// The document's colour list: entry 0 is black, no colour is listed twice, and
// an entry's index is its position in the list.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RtfColorData {
    uint8_t red = 0, green = 0, blue = 0;
    int index = 0;
};

class CRtfColorList {
public:
    CRtfColorList() { AddColor(0, 0, 0); }
    // The entry with these values, appended when there is none yet.
    RtfColorData* AddColor(uint8_t red, uint8_t green, uint8_t blue);
    // "#rrggbb" (quotes and "#" ignored); none unless exactly six characters remain.
    RtfColorData* ParseColor(const std::string& text);
    // The index of the entry nearest to a colour given as red + 256 green + 65536 blue.
    int Nearest(int packed) const;
    // Greys and the tints tables are shaded with, so that borders and cell grounds
    // drawn on later pages find a near colour in a list written before them.
    void AddTableColours();

    // Font specs keep pointers to the entries, so each entry stays where it was made.
    std::vector<std::unique_ptr<RtfColorData>> entries;
};
