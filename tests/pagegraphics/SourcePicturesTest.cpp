#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "support/ConvertInDir.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"
#include "support/TestImages.h"

using namespace testpdf;

namespace {

// A picture of the RTF: its kind ("png" or "jpeg") and its bytes.
struct RtfPicture {
    std::string kind, bytes;
};

std::vector<RtfPicture> Pictures(const std::string& rtf) {
    std::vector<RtfPicture> pictures;
    for (size_t at = rtf.find("blip\n"); at != std::string::npos; at = rtf.find("blip\n", at + 1)) {
        RtfPicture picture;
        picture.kind = rtf.compare(at - 3, 3, "png") == 0 ? "png" : "jpeg";
        for (size_t i = at + 5; i + 1 < rtf.size() && std::isxdigit(static_cast<unsigned char>(rtf[i])); i += 2)
            picture.bytes += static_cast<char>(std::stoi(rtf.substr(i, 2), nullptr, 16));
        pictures.push_back(picture);
    }
    return pictures;
}

struct Rgba {
    int width = 0, height = 0;
    int depth = 0, colourType = 0;  // as the PNG stores its pixels
    std::vector<uint8_t> pixels;
    const uint8_t* At(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

bool DecodePng(const std::string& bytes, Rgba& image) {
    if (bytes.size() < 33 || bytes.compare(1, 3, "PNG") != 0) return false;
    image.depth = static_cast<uint8_t>(bytes[24]);
    image.colourType = static_cast<uint8_t>(bytes[25]);
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return false;
    png.format = PNG_FORMAT_RGBA;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.assign(PNG_IMAGE_SIZE(png), 0);
    const bool ok = png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}

// The picture's pixels; none when it is no PNG that decodes.
Rgba Png(const RtfPicture& picture) {
    Rgba image;
    EXPECT_EQ(picture.kind, "png");
    EXPECT_TRUE(DecodePng(picture.bytes, image));
    return image;
}

// The width a JPEG's frame header gives.
int JpegWidth(const std::string& jpeg) {
    for (size_t at = 2; at + 9 < jpeg.size();) {
        const auto marker = static_cast<uint8_t>(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xC3)
            return static_cast<uint8_t>(jpeg[at + 7]) << 8 | static_cast<uint8_t>(jpeg[at + 8]);
        at += 2 + (static_cast<uint8_t>(jpeg[at + 2]) << 8 | static_cast<uint8_t>(jpeg[at + 3]));
    }
    return 0;
}

std::string ImageDictionary(int w, int h, const std::string& space, int bits, const std::string& extra = "") {
    return "/Type /XObject /Subtype /Image /Width " + std::to_string(w) + " /Height " + std::to_string(h) +
           " /ColorSpace " + space + " /BitsPerComponent " + std::to_string(bits) + extra;
}

bool BitSet(int x, int y) { return (x * 7 + y * 3) % 5 == 0 || y == 0; }

// 1-bit samples, rows padded to whole bytes, the first pixel in the high bit.
std::string BiLevelSamples(int w, int h) {
    std::string samples;
    for (int y = 0; y < h; ++y) {
        std::string row((w + 7) / 8, '\0');
        for (int x = 0; x < w; ++x)
            if (BitSet(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | 0x80 >> (x % 8));
        samples += row;
    }
    return samples;
}

class SourcePictures : public ::testing::Test {
protected:
    std::vector<RtfPicture> Convert(PdfWriter& w, int mode = 0) {
        w.Save(dir / "p.pdf");
        return Pictures(ConvertInDir(dir, "p", mode));
    }
    TempDir dir;
};

TEST_F(SourcePictures, ABiLevelPictureBecomesAOneBitPngOfTheSamePixelsWithItsDecodingApplied) {
    constexpr int w = 37, h = 23;  // rows that end inside a byte
    PdfWriter pdf;
    const int plain = pdf.AddStream(ImageDictionary(w, h, "/DeviceGray", 1), BiLevelSamples(w, h));
    const int inverted = pdf.AddStream(ImageDictionary(w, h, "/DeviceGray", 1, " /Decode [1 0]"), BiLevelSamples(w, h));
    Page& page = pdf.AddPage(DrawImage("A", w, 0, 0, h, 72, 600) + DrawImage("B", w, 0, 0, h, 72, 400));
    page.extraResources = XObjectResources({{"A", plain}, {"B", inverted}});
    const std::vector<RtfPicture> pictures = Convert(pdf);
    ASSERT_EQ(pictures.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Rgba image = Png(pictures[i]);
        EXPECT_EQ(image.depth, 1);
        ASSERT_EQ(image.width, w);
        ASSERT_EQ(image.height, h);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // A set bit is white in DeviceGray, black once the decoding turns it round.
                const bool white = BitSet(x, y) != (i == 1);
                wrong += image.At(x, y)[0] != (white ? 255 : 0) || image.At(x, y)[3] != 255;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(SourcePictures, ASoftMaskKeepsThePictureShapeAsPngAlpha) {
    constexpr int n = 40;
    std::string mask;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) mask += std::hypot(x - 19.5, y - 19.5) < 15 ? '\xff' : '\0';
    PdfWriter pdf;
    const int disc = pdf.AddStream(ImageDictionary(n, n, "/DeviceGray", 8), mask);
    const int red = pdf.AddStream(ImageDictionary(n, n, "/DeviceRGB", 8, " /SMask " + std::to_string(disc) + " 0 R"),
                                  RgbSamples(n, n, [](int, int) { return Rgb{255, 0, 0}; }));
    Page& page = pdf.AddPage(DrawImage("Disc", n, 0, 0, n, 100, 500));
    page.extraResources = XObjectResources({{"Disc", red}});
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        const std::vector<RtfPicture> pictures = Convert(pdf, mode);
        ASSERT_EQ(pictures.size(), 1u);
        const Rgba image = Png(pictures[0]);
        ASSERT_EQ(image.width, n);
        EXPECT_EQ(image.At(20, 20)[0], 255);
        EXPECT_EQ(image.At(20, 20)[3], 255) << "the disc is there";
        EXPECT_EQ(image.At(1, 1)[3], 0) << "its corners are not";
        EXPECT_EQ(image.At(38, 20)[3], 0);
    }
}

TEST_F(SourcePictures, APictureDrawnAtOneInchFrom3000PixelsIsEmbeddedAtNoMoreThan300) {
    std::string grey;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 3000; ++x) grey += static_cast<char>(x % 256);
    PdfWriter pdf;
    const int flat = pdf.AddStream(ImageDictionary(3000, 20, "/DeviceGray", 8), grey);
    const int photo = pdf.AddJpegImage(JpegData(3000, 40, [](int x, int) { return Rgb{x % 256, 90, 200}; }), 3000, 40);
    Page& page = pdf.AddPage(DrawImage("Flat", 72, 0, 0, 36, 72, 600) + DrawImage("Photo", 72, 0, 0, 36, 72, 400));
    page.extraResources = XObjectResources({{"Flat", flat}, {"Photo", photo}});
    const std::vector<RtfPicture> pictures = Convert(pdf);
    ASSERT_EQ(pictures.size(), 2u);
    const Rgba image = Png(pictures[0]);
    EXPECT_LE(image.width, 300);
    EXPECT_GE(image.width, 290);
    EXPECT_EQ(image.height, 20) << "half an inch holds its 20 rows";
    ASSERT_EQ(pictures[1].kind, "jpeg") << "a photograph stays a JPEG";
    EXPECT_LE(JpegWidth(pictures[1].bytes), 300);
    EXPECT_GE(JpegWidth(pictures[1].bytes), 290);
}

// A picture turned a quarter counter-clockwise shows its top right corner at the top left.
TEST_F(SourcePictures, ATurnedPictureIsEmbeddedAsThePageShowsIt) {
    const Rgb colours[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {{255, 255, 0}, {0, 255, 255}, {255, 0, 255}}};
    PdfWriter pdf;
    const int picture =
        pdf.AddRgbImage(RgbSamples(3, 2, [&](int x, int y) { return colours[y][x]; }), 3, 2);
    // Source width 3 runs up the page (b > 0), its height across it to the left (c < 0).
    Page& page = pdf.AddPage(DrawImage("T", 0, 90, -60, 0, 300, 500));
    page.extraResources = XObjectResources({{"T", picture}});
    const std::vector<RtfPicture> pictures = Convert(pdf);
    ASSERT_EQ(pictures.size(), 1u);
    const Rgba image = Png(pictures[0]);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) {
            const Rgb expected = colours[x][2 - y];
            const uint8_t* p = image.At(x, y);
            EXPECT_TRUE(p[0] == expected.r && p[1] == expected.g && p[2] == expected.b) << x << "," << y;
        }
}

TEST_F(SourcePictures, ALogoDrawnOnTenPagesIsDecodedOnce) {
    PdfWriter pdf;
    const int logo = pdf.AddRgbImage(RgbSamples(30, 10, [](int x, int) { return Rgb{x * 8, 0, 100}; }), 30, 10);
    for (int n = 0; n < 10; ++n) {
        Page& page = pdf.AddPage(DrawImage("Logo", 90, 0, 0, 30, 72, 700) + TextLine("Page words", 72, 600));
        page.extraResources = XObjectResources({{"Logo", logo}});
    }
    pdf.Save(dir / "logo.pdf");
    MyConvertPara para;
    para.inputPath = dir / "logo.pdf";
    para.outputDir = dir.path();
    ASSERT_EQ(ConvertFile(para), 0);
    EXPECT_EQ(para.pictures.decoded, 1);
    EXPECT_EQ(para.pictures.reused, 9);
    EXPECT_EQ(Pictures(ReadFile(dir / "logo.rtf")).size(), 10u);
}

}  // namespace
