#pragma once
// Pictures encoded into memory for the RTF: PNG where the colours are few or a
// shape is cut out (bi-level scans, charts, masks), JPEG where they vary from
// pixel to pixel (photographs).
#include <cstddef>
#include <string>

class Picture;

namespace pagegraphics {

// Rows of pixels of 1 (grey), 2 (grey, alpha), 3 (RGB) or 4 (RGB, alpha) bytes
// each, `stride` bytes apart; borrowed, never owned.
struct PixelView {
    const unsigned char* data = nullptr;
    size_t stride = 0;
    int width = 0, height = 0, channels = 3;
    const unsigned char* Row(int y) const { return data + stride * static_cast<size_t>(y); }
    bool HasAlpha() const { return channels == 2 || channels == 4; }
};

// Most pixels equal their left neighbour: charts, diagrams, scans of print.
bool FlatColours(const PixelView& pixels);

// A palette picture where there are at most 256 colours, at the smallest depth
// they fit (a bi-level picture stays one bit a pixel), otherwise grey or RGB,
// with alpha when the pixels have it. `level` is zlib's, 0 to 9. Empty when it
// could not be encoded.
std::string EncodePng(const PixelView& pixels, double dpi, int level);
// Grey or RGB pixels only; empty when they could not be encoded.
std::string EncodeJpeg(const PixelView& pixels, double dpi, int quality);
// A rendered part of a page as the picture's data: PNG (at zlib's `pngLevel`)
// where its colours are flat, JPEG where they vary. False when it could not be encoded.
bool EncodeRendered(const PixelView& pixels, double dpi, int pngLevel, Picture& picture);

}  // namespace pagegraphics
