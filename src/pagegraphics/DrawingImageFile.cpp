// Writing a rendered drawing: libpng with a fast compression for flat colours
// (the library's default level spent more time than the rendering), the PDF
// core's JPEG writer for the rest, both into memory: the RTF embeds only the
// hexadecimal text, and a file made for a picture cost as much again as its
// compression.
#include "pagegraphics/DrawingImageFile.h"

#include <png.h>
#include <splash/SplashBitmap.h>
#include <splash/SplashErrorCodes.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <memory>
#include <vector>

#include "pagegraphics/PictureText.h"

namespace pagegraphics {
namespace {

const unsigned char* Row(SplashBitmap& bitmap, const PixelArea& area, int y) {
    return bitmap.getDataPtr() + static_cast<long long>(area.y + y) * bitmap.getRowSize() + 3LL * area.x;
}

// Charts and diagrams are mostly flat colour: most pixels equal their left
// neighbour. Shadings and photographs vary from pixel to pixel.
bool FlatColours(SplashBitmap& bitmap, const PixelArea& area) {
    long long same = 0, all = 0;
    for (int y = 0; y < area.height; ++y) {
        const unsigned char* p = Row(bitmap, area, y);
        for (int x = 1; x < area.width; ++x, ++all)
            if (p[3 * x] == p[3 * x - 3] && p[3 * x + 1] == p[3 * x - 2] && p[3 * x + 2] == p[3 * x - 1]) ++same;
    }
    return all == 0 || same * 10 >= all * 6;
}

// A stream into memory for the encoders, which write to a FILE.
class MemoryFile {
public:
    MemoryFile() : file_(open_memstream(&data_, &size_)) {}
    ~MemoryFile() {
        if (file_) std::fclose(file_);
        std::free(data_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    FILE* Get() const { return file_; }
    // The bytes written so far; empty when any could not be.
    std::string Bytes() {
        if (!file_ || std::fflush(file_) != 0 || std::ferror(file_)) return {};
        return std::string(data_, size_);
    }

private:
    char* data_ = nullptr;
    size_t size_ = 0;
    FILE* file_;
};

// Charts keep to a few colours even with their edges smoothed: as a palette
// picture a third as many bytes go through the compression. Empty when the
// picture has more colours than a palette holds.
std::vector<png_color> PaletteIndexes(SplashBitmap& bitmap, const PixelArea& area, std::vector<unsigned char>& indexes) {
    constexpr size_t kSlots = 1024;  // an open table, far from full at 256 colours
    constexpr uint32_t kFree = 0xffffffff;
    std::vector<uint32_t> colour(kSlots, kFree);
    std::vector<unsigned char> index(kSlots);
    std::vector<png_color> palette;
    indexes.resize(static_cast<size_t>(area.width) * area.height);
    unsigned char* out = indexes.data();
    uint32_t last = kFree;
    unsigned char lastIndex = 0;
    for (int y = 0; y < area.height; ++y) {
        const unsigned char* p = Row(bitmap, area, y);
        for (int x = 0; x < area.width; ++x, p += 3) {
            const uint32_t c = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
            if (c != last) {
                size_t slot = (c * 2654435761u) >> 22;
                while (colour[slot] != kFree && colour[slot] != c) slot = (slot + 1) % kSlots;
                if (colour[slot] == kFree) {
                    if (palette.size() == 256) return {};
                    colour[slot] = c;
                    index[slot] = static_cast<unsigned char>(palette.size());
                    palette.push_back(png_color{p[0], p[1], p[2]});
                }
                last = c;
                lastIndex = index[slot];
            }
            *out++ = lastIndex;
        }
    }
    return palette;
}

bool WritePng(SplashBitmap& bitmap, const PixelArea& area, double dpi, FILE* file) {
    std::vector<unsigned char> indexes;
    const std::vector<png_color> palette = PaletteIndexes(bitmap, area, indexes);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    // Indexes do not predict one another; colour values do, from the left.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, palette.empty() ? PNG_FILTER_SUB : PNG_FILTER_NONE);
    png_set_IHDR(png, info, area.width, area.height, 8, palette.empty() ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    const png_uint_32 perMetre = static_cast<png_uint_32>(dpi / 0.0254 + 0.5);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < area.height; ++y)
        png_write_row(png, palette.empty() ? Row(bitmap, area, y) : indexes.data() + static_cast<size_t>(y) * area.width);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WriteJpeg(SplashBitmap& bitmap, const PixelArea& area, double dpi, FILE* file) {
    SplashBitmap part(area.width, area.height, 1, splashModeRGB8, false);
    for (int y = 0; y < area.height; ++y)
        std::copy_n(Row(bitmap, area, y), 3LL * area.width, part.getDataPtr() + static_cast<long long>(y) * part.getRowSize());
    SplashBitmap::WriteImgParams params;
    params.jpegQuality = 90;
    return part.writeImgFile(splashFormatJpeg, file, dpi, dpi, &params) == splashOk;
}

}  // namespace

bool EncodeDrawingImage(SplashBitmap& bitmap, const PixelArea& area, double dpi, std::string& hexText, bool& png) {
    if (area.width < 1 || area.height < 1 || area.x < 0 || area.y < 0 || area.x + area.width > bitmap.getWidth() ||
        area.y + area.height > bitmap.getHeight())
        return false;
    png = FlatColours(bitmap, area);
    MemoryFile memory;
    if (!memory.Get()) return false;
    if (!(png ? WritePng(bitmap, area, dpi, memory.Get()) : WriteJpeg(bitmap, area, dpi, memory.Get()))) return false;
    const std::string bytes = memory.Bytes();
    hexText = HexText(bytes.data(), bytes.size());
    return !hexText.empty();
}

}  // namespace pagegraphics
