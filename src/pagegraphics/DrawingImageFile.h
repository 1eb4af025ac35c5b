#pragma once
// A part of a rendered page written as a picture's hexadecimal text, which the RTF
// embeds: PNG where the colours are few and flat (charts, diagrams), JPEG where
// they vary from pixel to pixel.
#include <string>

class SplashBitmap;

namespace pagegraphics {

// A rectangle of pixels of a bitmap.
struct PixelArea {
    int x = 0, y = 0, width = 0, height = 0;
};

// Writes `area` of `bitmap` (RGB, 8 bits) encoded as PNG (then `png` is true) or
// JPEG, as hexadecimal text into `hexPath`; false when it could not be written.
bool WriteDrawingImage(SplashBitmap& bitmap, const PixelArea& area, double dpi, const std::string& hexPath,
                       bool& png);

}  // namespace pagegraphics
