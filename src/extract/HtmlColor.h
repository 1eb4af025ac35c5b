#pragma once
// A run's fill colour as three bytes.
#include <cstdint>

struct GfxRGB;

struct HtmlColor {
    uint8_t r = 0, g = 0, b = 0;

    HtmlColor() = default;
    HtmlColor(uint8_t red, uint8_t green, uint8_t blue) : r(red), g(green), b(blue) {}
    // From the PDF core's RGB, whose components are 16.16 fixed point (0x10000 = 1.0).
    explicit HtmlColor(const GfxRGB& rgb);

    bool operator==(const HtmlColor&) const = default;
};
