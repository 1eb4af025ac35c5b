#include "support/PictureDocument.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "support/ImageXObjects.h"
#include "support/TestImages.h"

namespace testpdf {
namespace {

// A scan at 200 dpi of a letter page; the photograph at 800 dpi when drawn 3 inches wide.
constexpr int kScanWidth = 1700, kScanHeight = 2200;
constexpr int kPhotoWidth = 2400, kPhotoHeight = 1600;
constexpr int kLogoWidth = 200, kLogoHeight = 80;
constexpr int kMaskedSide = 256;

// A cheap, repeatable pseudo-random value, so every page differs and every run
// writes the same bytes.
uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// Printed lines of "words" whose letters are strokes of ink, a ruled form box and
// a few specks of dust: compresses the way a scanned page does.
std::string ScanRows(int page) {
    std::vector<uint8_t> ink(static_cast<size_t>(kScanWidth) * kScanHeight, 0);
    const auto p = static_cast<uint32_t>(page);
    // Edges ragged by a pixel here and there, as toner and the scanner leave them:
    // perfectly straight strokes would compress far better than a real scan.
    auto fill = [&](int x0, int y0, int x1, int y1) {
        for (int y = std::max(0, y0); y < std::min(kScanHeight, y1); ++y) {
            const uint32_t r = Hash(p, static_cast<uint32_t>(x0), static_cast<uint32_t>(y));
            const int left = x0 - (r % 4 == 0), right = x1 + (r % 5 == 0);
            for (int x = std::max(0, left); x < std::min(kScanWidth, right); ++x)
                ink[static_cast<size_t>(y) * kScanWidth + static_cast<size_t>(x)] = 1;
        }
    };
    for (int line = 0; line < 42; ++line) {
        const int base = 180 + line * 44;
        int x = 150 + static_cast<int>(Hash(p, static_cast<uint32_t>(line), 1) % 40);
        const int end = line % 9 == 8 ? 900 : 1550;
        for (uint32_t letter = 0; x < end; ++letter) {
            const uint32_t r = Hash(p, static_cast<uint32_t>(line), letter);
            if (r % 7 == 0) {  // the blank between two words
                x += 22;
                continue;
            }
            const int width = 10 + static_cast<int>(r % 9);
            const int top = base - (r % 5 == 0 ? 30 : 20);
            fill(x, top, x + 3, base);
            fill(x, base - 3, x + width, base);
            if (r % 3 == 0) fill(x + width - 3, top, x + width, base);
            x += width + 5;
        }
    }
    fill(120, 2060, 1580, 2064);
    fill(120, 2060, 124, 2140);
    fill(1576, 2060, 1580, 2140);
    fill(120, 2136, 1580, 2140);
    for (uint32_t speck = 0; speck < 300; ++speck) {
        const uint32_t r = Hash(p, speck, 99);
        const int x = static_cast<int>(r % kScanWidth), y = static_cast<int>((r >> 11) % kScanHeight);
        fill(x, y, x + 2, y + 2);
    }
    return BilevelRows(kScanWidth, kScanHeight,
                       [&](int x, int y) { return ink[static_cast<size_t>(y) * kScanWidth + static_cast<size_t>(x)] != 0; });
}

int Channel(double v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

// Smooth light with sensor noise: the kind of picture a JPEG is made for.
std::string PhotoJpeg(int page) {
    const double phase = page * 0.7;
    return JpegData(
        kPhotoWidth, kPhotoHeight,
        [&](int x, int y) {
            const int noise = static_cast<int>(Hash(static_cast<uint32_t>(page), static_cast<uint32_t>(x),
                                                    static_cast<uint32_t>(y)) % 25) - 12;
            return Rgb{Channel(128 + 90 * std::sin(x / 380.0 + phase) + noise),
                       Channel(110 + 80 * std::cos(y / 290.0 - phase) + noise),
                       Channel(70 + 60 * std::sin((x + y) / 520.0) + noise)};
        },
        85);
}

std::string LogoSamples() {
    return RgbSamples(kLogoWidth, kLogoHeight, [](int x, int y) {
        const bool bar = (x / 25) % 2 == 0 && y > 15 && y < 65;
        return bar ? Rgb{20, 60, 150} : Rgb{240, 200, 40};
    });
}

// A coloured square whose mask leaves a disc with a soft rim.
int AddMaskedDisc(PdfWriter& pdf, int page) {
    const double c = kMaskedSide / 2.0;
    std::string rgb = RgbSamples(kMaskedSide, kMaskedSide, [&](int x, int y) {
        return Rgb{Channel(200 - x / 2 + page * 3), Channel(60 + y / 2), Channel(120 + (x + y) / 8)};
    });
    std::string mask;
    mask.reserve(static_cast<size_t>(kMaskedSide) * kMaskedSide);
    for (int y = 0; y < kMaskedSide; ++y)
        for (int x = 0; x < kMaskedSide; ++x) {
            const double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
            mask += static_cast<char>(Channel((c - d) * 32));
        }
    return AddFlateRgbImage(pdf, rgb, kMaskedSide, kMaskedSide, mask);
}

}  // namespace

PdfWriter PictureDocument(int pages) {
    PdfWriter pdf;
    const int logo = AddFlateRgbImage(pdf, LogoSamples(), kLogoWidth, kLogoHeight);
    for (int page = 1; page <= pages; ++page) {
        std::vector<std::pair<std::string, int>> images = {
            {"Logo", logo},
            {"Scan", AddBilevelImage(pdf, ScanRows(page), kScanWidth, kScanHeight)},
            {"Photo", pdf.AddJpegImage(PhotoJpeg(page), kPhotoWidth, kPhotoHeight)}};
        std::string content = DrawImage("Scan", 540, 0, 0, 540.0 * kScanHeight / kScanWidth, 36, 40);
        content += DrawImage("Photo", 216, 0, 0, 144, 340, 420);
        content += DrawImage("Logo", 100, 0, 0, 40, 470, 742);
        if (page % 2 == 0) {
            images.push_back({"Disc", AddMaskedDisc(pdf, page)});
            content += DrawImage("Disc", 108, 0, 0, 108, 80, 440);
        }
        content += TextLine("Inspection report, sheet " + std::to_string(page), 72, 748, 14, "F4");
        content += TextLine("The scanned form below was received by post and filed unchanged.", 72, 728, 10);
        content += TextLine("Photograph of the site taken on the day of the visit.", 340, 404, 9);
        pdf.AddPage(content).extraResources = XObjectResources(images);
    }
    return pdf;
}

}  // namespace testpdf
