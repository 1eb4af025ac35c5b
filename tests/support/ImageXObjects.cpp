#include "support/ImageXObjects.h"

#include <zlib.h>

namespace testpdf {

std::string FlateCompressed(const std::string& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

int AddImageObject(PdfWriter& pdf, int w, int h, const std::string& entries, const std::string& data) {
    return pdf.AddStream("/Type /XObject /Subtype /Image /Width " + std::to_string(w) + " /Height " +
                             std::to_string(h) + " " + entries,
                         data);
}

std::string BilevelRows(int w, int h, const std::function<bool(int, int)>& black) {
    const size_t stride = (static_cast<size_t>(w) + 7) / 8;
    std::string rows(stride * static_cast<size_t>(h), '\xff');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (black(x, y))
                rows[static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8)] &=
                    static_cast<char>(~(0x80 >> (x % 8)));
    return rows;
}

int AddBilevelImage(PdfWriter& pdf, const std::string& rows, int w, int h) {
    return AddImageObject(pdf, w, h, "/ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /FlateDecode",
                          FlateCompressed(rows));
}

int AddFlateRgbImage(PdfWriter& pdf, const std::string& rgb, int w, int h, const std::string& mask) {
    std::string entries = "/ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode";
    if (!mask.empty()) {
        const int smask = AddImageObject(pdf, w, h, "/ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                                         FlateCompressed(mask));
        entries += " /SMask " + std::to_string(smask) + " 0 R";
    }
    return AddImageObject(pdf, w, h, entries, FlateCompressed(rgb));
}

}  // namespace testpdf
