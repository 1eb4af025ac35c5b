// Writing a rendered drawing: libpng with a fast compression for flat colours
// (the library's default level spent more time than the rendering), the PDF
// core's JPEG writer for the rest.
#include "pagegraphics/DrawingImageFile.h"

#include <png.h>
#include <splash/SplashBitmap.h>
#include <splash/SplashErrorCodes.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

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

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool WritePng(SplashBitmap& bitmap, const PixelArea& area, double dpi, const std::string& path) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, area.width, area.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const png_uint_32 perMetre = static_cast<png_uint_32>(dpi / 0.0254 + 0.5);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < area.height; ++y) png_write_row(png, Row(bitmap, area, y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

bool WriteJpeg(SplashBitmap& bitmap, const PixelArea& area, double dpi, const std::string& path) {
    SplashBitmap part(area.width, area.height, 1, splashModeRGB8, false);
    for (int y = 0; y < area.height; ++y)
        std::copy_n(Row(bitmap, area, y), 3LL * area.width, part.getDataPtr() + static_cast<long long>(y) * part.getRowSize());
    SplashBitmap::WriteImgParams params;
    params.jpegQuality = 90;
    return part.writeImgFile(splashFormatJpeg, path.c_str(), dpi, dpi, &params) == splashOk;
}

}  // namespace

bool WriteDrawingImage(SplashBitmap& bitmap, const PixelArea& area, double dpi, const std::string& stem,
                       std::string& path, bool& png) {
    if (area.width < 1 || area.height < 1 || area.x < 0 || area.y < 0 || area.x + area.width > bitmap.getWidth() ||
        area.y + area.height > bitmap.getHeight())
        return false;
    png = FlatColours(bitmap, area);
    path = stem + (png ? ".png" : ".jpg");
    return png ? WritePng(bitmap, area, dpi, path) : WriteJpeg(bitmap, area, dpi, path);
}

}  // namespace pagegraphics
