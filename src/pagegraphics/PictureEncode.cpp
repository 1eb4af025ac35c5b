// Encoding pictures into memory: libpng with a compression level of the
// caller's choosing (the library's default spent more time on a rendered
// drawing than its rendering), the PDF core's JPEG writer for photographs.
// The RTF embeds only the bytes; a file made for a picture cost as much again
// as its compression.
#include "pagegraphics/PictureEncode.h"

#include <goo/JpegWriter.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "rtf/RecordedGraphics.h"

namespace pagegraphics {
namespace {

// A stream into memory for the JPEG writer, which writes to a FILE.
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

uint32_t PixelKey(const unsigned char* p, int channels) {
    switch (channels) {
        case 1: return 0xff000000u | uint32_t{p[0]} << 16 | uint32_t{p[0]} << 8 | p[0];
        case 2: return uint32_t{p[1]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[0]} << 8 | p[0];
        case 3: return 0xff000000u | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
        default: return uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
}

// Scans, charts and masks keep to a few colours even with their edges smoothed:
// as a palette picture a third as many bytes or fewer go through the
// compression. Empty when the picture has more colours than a palette holds.
std::vector<uint32_t> PaletteIndexes(const PixelView& pixels, std::vector<unsigned char>& indexes) {
    constexpr size_t kSlots = 1024;  // an open table, far from full at 256 colours
    constexpr uint32_t kFree = 0x00fffffe;  // a colour no opaque or clear pixel has
    std::vector<uint32_t> colour(kSlots, kFree);
    std::vector<unsigned char> index(kSlots);
    std::vector<uint32_t> palette;
    indexes.resize(static_cast<size_t>(pixels.width) * pixels.height);
    unsigned char* out = indexes.data();
    uint32_t last = kFree;
    unsigned char lastIndex = 0;
    for (int y = 0; y < pixels.height; ++y) {
        const unsigned char* p = pixels.Row(y);
        for (int x = 0; x < pixels.width; ++x, p += pixels.channels) {
            uint32_t c = PixelKey(p, pixels.channels);
            // A clear pixel's colour is never seen.
            if (c >> 24 == 0) c = 0;
            if (c != last) {
                size_t slot = (c * 2654435761u) >> 22;
                while (colour[slot] != kFree && colour[slot] != c) slot = (slot + 1) % kSlots;
                if (colour[slot] == kFree) {
                    if (palette.size() == 256) return {};
                    colour[slot] = c;
                    index[slot] = static_cast<unsigned char>(palette.size());
                    palette.push_back(c);
                }
                last = c;
                lastIndex = index[slot];
            }
            *out++ = lastIndex;
        }
    }
    return palette;
}

int DepthFor(size_t colours) {
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    return colours <= 16 ? 4 : 8;
}

// Indexes packed at `depth` bits, the first pixel in the high bits, as PNG keeps them.
void PackRow(const unsigned char* indexes, int width, int depth, std::vector<unsigned char>& row) {
    const int perByte = 8 / depth;
    row.assign((static_cast<size_t>(width) + perByte - 1) / perByte, 0);
    for (int x = 0; x < width; ++x)
        row[static_cast<size_t>(x / perByte)] |=
            static_cast<unsigned char>(indexes[x] << (8 - depth - (x % perByte) * depth));
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

}  // namespace

bool FlatColours(const PixelView& pixels) {
    const int n = pixels.channels;
    long long same = 0, all = 0;
    for (int y = 0; y < pixels.height; ++y) {
        const unsigned char* p = pixels.Row(y);
        for (int x = 1; x < pixels.width; ++x, ++all) {
            const unsigned char* here = p + n * x;
            bool equal = true;
            for (int c = 0; c < n; ++c) equal = equal && here[c] == here[c - n];
            same += equal;
        }
    }
    return all == 0 || same * 10 >= all * 6;
}

namespace {

// What a PNG is made of, decided before libpng starts: its error handling jumps
// back over anything changed after.
struct PngPlan {
    std::vector<unsigned char> indexes;
    std::vector<uint32_t> palette;
    int depth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    std::vector<unsigned char> packed;
};

bool WritePng(const PixelView& pixels, double dpi, int level, PngPlan& plan, std::string& bytes) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &bytes, &AppendBytes, &NoFlush);
    png_set_compression_level(png, level);
    // Indexes do not predict one another; colour values do, from the left.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, plan.palette.empty() ? PNG_FILTER_SUB : PNG_FILTER_NONE);
    png_set_IHDR(png, info, pixels.width, pixels.height, plan.depth, plan.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!plan.palette.empty()) {
        std::vector<png_color> colours;
        std::vector<png_byte> alphas;
        bool clear = false;
        for (uint32_t c : plan.palette) {
            colours.push_back(png_color{static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                                        static_cast<png_byte>(c)});
            alphas.push_back(static_cast<png_byte>(c >> 24));
            clear = clear || alphas.back() != 0xff;
        }
        png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
        if (clear) png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    }
    if (dpi > 0) {
        const png_uint_32 perMetre = static_cast<png_uint_32>(dpi / 0.0254 + 0.5);
        png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    png_write_info(png, info);
    for (int y = 0; y < pixels.height; ++y) {
        if (plan.palette.empty()) {
            png_write_row(png, pixels.Row(y));
            continue;
        }
        const unsigned char* row = plan.indexes.data() + static_cast<size_t>(y) * pixels.width;
        if (plan.depth == 8) {
            png_write_row(png, row);
        } else {
            PackRow(row, pixels.width, plan.depth, plan.packed);
            png_write_row(png, plan.packed.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const PixelView& pixels, double dpi, int level) {
    if (pixels.width < 1 || pixels.height < 1 || pixels.channels < 1 || pixels.channels > 4) return {};
    PngPlan plan;
    plan.palette = PaletteIndexes(pixels, plan.indexes);
    static const int kColourTypes[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                       PNG_COLOR_TYPE_RGB_ALPHA};
    plan.depth = plan.palette.empty() ? 8 : DepthFor(plan.palette.size());
    plan.colourType = plan.palette.empty() ? kColourTypes[pixels.channels - 1] : PNG_COLOR_TYPE_PALETTE;
    std::string bytes;
    if (!WritePng(pixels, dpi, level, plan, bytes)) return {};
    return bytes;
}

std::string EncodeJpeg(const PixelView& pixels, double dpi, int quality) {
    if (pixels.width < 1 || pixels.height < 1 || (pixels.channels != 1 && pixels.channels != 3)) return {};
    MemoryFile memory;
    if (!memory.Get()) return {};
    JpegWriter writer(quality, false, pixels.channels == 1 ? JpegWriter::GRAY : JpegWriter::RGB);
    const double resolution = dpi > 0 ? dpi : 72;
    if (!writer.init(memory.Get(), pixels.width, pixels.height, resolution, resolution)) return {};
    for (int y = 0; y < pixels.height; ++y) {
        unsigned char* row = const_cast<unsigned char*>(pixels.Row(y));
        if (!writer.writeRow(&row)) return {};
    }
    if (!writer.close()) return {};
    return memory.Bytes();
}

bool EncodeRendered(const PixelView& pixels, double dpi, int pngLevel, Picture& picture) {
    const bool png = FlatColours(pixels);
    std::string bytes = png ? EncodePng(pixels, dpi, pngLevel) : EncodeJpeg(pixels, dpi, 90);
    if (bytes.empty()) return false;
    picture.data = std::make_shared<const std::string>(std::move(bytes));
    picture.format = png ? PictureFormat::Png : PictureFormat::Jpeg;
    return true;
}

}  // namespace pagegraphics
