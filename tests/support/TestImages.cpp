#include "support/TestImages.h"

#include <jpeglib.h>
#include <png.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "support/TempDir.h"

namespace testpdf {

std::string JpegData(int w, int h, const std::function<Rgb(int, int)>& colour, int quality) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Rgb p = colour(x, y);
            row[static_cast<size_t>(x) * 3] = static_cast<unsigned char>(p.r);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<unsigned char>(p.g);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<unsigned char>(p.b);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string data(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return data;
}

std::string RgbSamples(int w, int h, const std::function<Rgb(int, int)>& colour) {
    std::string s;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb p = colour(x, y);
            s += static_cast<char>(p.r);
            s += static_cast<char>(p.g);
            s += static_cast<char>(p.b);
        }
    return s;
}

Rgb RgbImage::At(int x, int y) const {
    size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

namespace {

bool ReadPng(const std::string& path, RgbImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.assign(PNG_IMAGE_SIZE(png), 0);
    bool ok = png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}

bool ReadJpeg(const std::string& path, RgbImage& image) {
    std::string data = ReadFile(path);
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(data.data()), data.size());
    if (jpeg_read_header(&d, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&d);
        return false;
    }
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    image.width = static_cast<int>(d.output_width);
    image.height = static_cast<int>(d.output_height);
    image.rgb.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3, 0);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = image.rgb.data() + static_cast<size_t>(d.output_scanline) * static_cast<size_t>(image.width) * 3;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return true;
}

// Netpbm: plain (P1-P3) and raw (P4-P6) forms, with comments.
bool ReadNetpbm(const std::string& path, RgbImage& image) {
    std::string data = ReadFile(path);
    if (data.size() < 3 || data[0] != 'P' || data[1] < '1' || data[1] > '6') return false;
    const int kind = data[1] - '0';
    size_t pos = 2;
    auto skipSpace = [&]() {
        while (pos < data.size()) {
            if (data[pos] == '#') {
                while (pos < data.size() && data[pos] != '\n') ++pos;
            } else if (std::isspace(static_cast<unsigned char>(data[pos]))) {
                ++pos;
            } else {
                break;
            }
        }
    };
    auto number = [&]() {
        skipSpace();
        int v = 0;
        while (pos < data.size() && std::isdigit(static_cast<unsigned char>(data[pos]))) v = v * 10 + (data[pos++] - '0');
        return v;
    };
    image.width = number();
    image.height = number();
    const bool bitmap = kind == 1 || kind == 4;
    const int maxval = bitmap ? 1 : number();
    if (image.width <= 0 || image.height <= 0 || maxval <= 0) return false;
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    image.rgb.assign(count * 3, 0);
    const int channels = (kind == 3 || kind == 6) ? 3 : 1;
    if (kind >= 4) ++pos;  // the single blank before raw data
    for (size_t i = 0; i < count; ++i) {
        for (int ch = 0; ch < channels; ++ch) {
            int v;
            if (kind <= 3) {
                if (kind == 1) {
                    skipSpace();
                    v = pos < data.size() && data[pos++] == '1' ? 1 : 0;
                } else {
                    v = number();
                }
            } else if (kind == 4) {
                size_t x = i % static_cast<size_t>(image.width), y = i / static_cast<size_t>(image.width);
                size_t rowBytes = (static_cast<size_t>(image.width) + 7) / 8;
                size_t at = pos + y * rowBytes + x / 8;
                v = at < data.size() ? (static_cast<unsigned char>(data[at]) >> (7 - x % 8)) & 1 : 0;
            } else {
                size_t at = pos + i * static_cast<size_t>(channels) + static_cast<size_t>(ch);
                v = at < data.size() ? static_cast<unsigned char>(data[at]) : 0;
            }
            int level = bitmap ? (v ? 0 : 255) : v * 255 / maxval;  // in bitmaps 1 is black
            if (channels == 3) image.rgb[i * 3 + static_cast<size_t>(ch)] = static_cast<uint8_t>(level);
            else image.rgb[i * 3] = image.rgb[i * 3 + 1] = image.rgb[i * 3 + 2] = static_cast<uint8_t>(level);
        }
    }
    return true;
}

}  // namespace

bool ReadImage(const std::string& path, RgbImage& image) {
    std::string type = ImageFileType(path);
    if (type == "png") return ReadPng(path, image);
    if (type == "jpeg") return ReadJpeg(path, image);
    if (type == "pbm" || type == "pgm" || type == "ppm") return ReadNetpbm(path, image);
    return false;
}

std::string ImageFileType(const std::string& path) {
    std::string head = ReadFile(path).substr(0, 8);
    auto starts = [&](const std::string& magic) { return head.compare(0, magic.size(), magic) == 0; };
    if (starts("\x89PNG")) return "png";
    if (starts("\xFF\xD8\xFF")) return "jpeg";
    if (starts("BM")) return "bmp";
    if (starts("II*") || starts("MM")) return "tiff";
    if (head.size() > 2 && head[0] == '\x0A' && head[2] == '\x01') return "pcx";
    if (starts("P1") || starts("P4")) return "pbm";
    if (starts("P2") || starts("P5")) return "pgm";
    if (starts("P3") || starts("P6")) return "ppm";
    return {};
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

}  // namespace testpdf
