#pragma once
// A part of a rendered page encoded as a picture's hexadecimal text, which the RTF
// embeds: PNG where the colours are few and flat (charts, diagrams), JPEG where
// they vary from pixel to pixel.
#include <string>

class SplashBitmap;

namespace pagegraphics {

// A rectangle of pixels of a bitmap.
struct PixelArea {
    int x = 0, y = 0, width = 0, height = 0;
};

// Encodes `area` of `bitmap` (RGB, 8 bits) as PNG (then `png` is true) or JPEG,
// into `hexText` as hexadecimal text; false when it could not be encoded.
bool EncodeDrawingImage(SplashBitmap& bitmap, const PixelArea& area, double dpi, std::string& hexText, bool& png);

}  // namespace pagegraphics
