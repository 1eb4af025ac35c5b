#pragma once
// Pictures for tests: JPEG data to embed in test PDFs, and readers of the image
// files the image job writes, to check their type, size and colours.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testpdf {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A baseline JPEG of w x h pixels coloured by `colour`.
std::string JpegData(int w, int h, const std::function<Rgb(int x, int y)>& colour, int quality = 95);
// Raw 8-bit RGB samples, row by row, for an image XObject without a filter.
std::string RgbSamples(int w, int h, const std::function<Rgb(int x, int y)>& colour);

struct RgbImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    Rgb At(int x, int y) const;
};

// Reads PNG, JPEG and the netpbm formats (P1 to P6); false for anything else.
bool ReadImage(const std::string& path, RgbImage& image);

// The type of an image file by its first bytes: "png", "jpeg", "bmp", "tiff",
// "pcx", "pbm", "pgm", "ppm", or empty.
std::string ImageFileType(const std::string& path);

// True when two colours differ by at most `tolerance` in every channel.
bool Near(const Rgb& a, const Rgb& b, int tolerance = 40);

}  // namespace testpdf
