// Pictures taken from the PDF directly: the JPEG bytes as stored, or the
// samples decoded by the PDF core, brought down to the resolution the page
// shows them at, turned as drawn and encoded.
#include "pagegraphics/SourcePictures.h"

#include <Object.h>
#include <Stream.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "pagegraphics/PageFootprints.h"
#include "pagegraphics/PageGraphicsJob.h"
#include "pagegraphics/PictureEncode.h"

namespace pagegraphics {
namespace {

constexpr double kXmlPerInch = 108;
// Sharp in print; a picture's pixels beyond it are never seen, only carried.
constexpr double kMostDpi = 300;
// A picture a little over the resolution is kept as it is: bringing it down
// would blur it for a few bytes.
constexpr double kSlack = 1.05;
// Pictures kept for drawing again: a job's logos and rules, never its scans.
constexpr size_t kMostBytesKept = 48u << 20;
constexpr size_t kLargestKept = 4u << 20;
constexpr int kPngLevel = 6;
constexpr int kJpegQuality = 90;

int SampleLimit(double pageLength, int samples) {
    const double most = pageLength / kXmlPerInch * kMostDpi;
    return samples > most * kSlack ? std::max(1, static_cast<int>(std::lround(most))) : samples;
}

bool DefaultDecode(GfxImageColorMap* map) {
    for (int i = 0; i < map->getNumPixelComps(); ++i)
        if (map->getDecodeLow(i) != 0 || map->getDecodeHigh(i) != 1) return false;
    return true;
}

// Grey and RGB JPEGs show in every word processor as they do in the PDF; CMYK
// ones are stored inverted by some producers and shown wrongly by others.
bool ShownAsStored(GfxImageColorMap* map) {
    GfxColorSpace* space = map->getColorSpace();
    if (!space || map->getBits() != 8 || !DefaultDecode(map)) return false;
    switch (space->getMode()) {
        case csDeviceGray:
        case csDeviceRGB:
            return true;
        case csICCBased:
            return space->getNComps() == 1 || space->getNComps() == 3;
        default:
            return false;
    }
}

// The component count and size a JPEG's frame header gives; false when it has none.
bool JpegFrame(const std::string& jpeg, int& components, int& width, int& height) {
    const auto* b = reinterpret_cast<const unsigned char*>(jpeg.data());
    const size_t n = jpeg.size();
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8) return false;
    size_t at = 2;
    while (at + 4 <= n) {
        if (b[at] != 0xFF) return false;
        const unsigned marker = b[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const size_t length = static_cast<size_t>(b[at + 2]) << 8 | b[at + 3];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 10 > n) return false;
            height = b[at + 5] << 8 | b[at + 6];
            width = b[at + 7] << 8 | b[at + 8];
            components = b[at + 9];
            return true;
        }
        at += 2 + length;
    }
    return false;
}

// The bytes under the DCT filter: the JPEG as the PDF stores it.
std::string StoredJpeg(Stream* str) {
    Stream* under = str->getNextStream();
    if (!under) return {};
    std::string bytes;
    under->fillString(bytes);
    under->close();
    return bytes;
}

// Pixels of one channel count, row after row.
struct Pixels {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> data;
    unsigned char* Row(int y) { return data.data() + static_cast<size_t>(y) * width * channels; }
    PixelView View() const {
        return {data.data(), static_cast<size_t>(width) * channels, width, height, channels};
    }
};

// Averages the source's rows into fewer pixels as they come, so a large
// picture never stands whole in memory.
class Reducer {
public:
    Reducer(int sourceWidth, int sourceHeight, int width, int height, int channels)
        : sourceWidth_(sourceWidth), sourceHeight_(sourceHeight), column_(sourceWidth), perColumn_(width) {
        out_.width = width;
        out_.height = height;
        out_.channels = channels;
        out_.data.assign(static_cast<size_t>(width) * height * channels, 0);
        sums_.assign(static_cast<size_t>(width) * channels, 0);
        for (int i = 0; i < sourceWidth; ++i) {
            column_[i] = static_cast<int>(static_cast<long long>(i) * width / sourceWidth);
            ++perColumn_[column_[i]];
        }
    }

    void Add(const unsigned char* row) {
        const int c = out_.channels;
        if (out_.width == sourceWidth_ && out_.height == sourceHeight_) {
            std::copy_n(row, static_cast<size_t>(sourceWidth_) * c, out_.Row(next_++));
            return;
        }
        const int y = static_cast<int>(static_cast<long long>(next_++) * out_.height / sourceHeight_);
        if (y != rowY_) Flush();
        rowY_ = y;
        ++rows_;
        for (int i = 0; i < sourceWidth_; ++i) {
            uint32_t* sum = sums_.data() + static_cast<size_t>(column_[i]) * c;
            for (int k = 0; k < c; ++k) sum[k] += row[i * c + k];
        }
    }

    Pixels Finish() {
        Flush();
        return std::move(out_);
    }

private:
    void Flush() {
        if (rows_ == 0 || rowY_ < 0 || rowY_ >= out_.height) return;
        const int c = out_.channels;
        unsigned char* row = out_.Row(rowY_);
        for (int x = 0; x < out_.width; ++x) {
            const uint32_t count = static_cast<uint32_t>(perColumn_[x] * rows_);
            for (int k = 0; k < c; ++k) {
                uint32_t& sum = sums_[static_cast<size_t>(x) * c + k];
                row[x * c + k] = static_cast<unsigned char>(count ? (sum + count / 2) / count : 0);
                sum = 0;
            }
        }
        rows_ = 0;
    }

    int sourceWidth_, sourceHeight_;
    std::vector<int> column_;      // the output column of each source column
    std::vector<int> perColumn_;   // source columns in each output column
    std::vector<uint32_t> sums_;
    Pixels out_;
    int next_ = 0, rowY_ = -1, rows_ = 0;
};

// The pixels as the page shows them: turned and mirrored by the frame.
Pixels Oriented(Pixels in, const PictureFrame& frame) {
    if (!frame.turned && !frame.mirrorAcross && !frame.mirrorDown) return in;
    Pixels out;
    out.channels = in.channels;
    out.width = frame.turned ? in.height : in.width;
    out.height = frame.turned ? in.width : in.height;
    out.data.resize(in.data.size());
    const int c = in.channels;
    for (int y = 0; y < out.height; ++y) {
        unsigned char* to = out.Row(y);
        for (int x = 0; x < out.width; ++x) {
            const int across = frame.mirrorAcross ? out.width - 1 - x : x;
            const int down = frame.mirrorDown ? out.height - 1 - y : y;
            // Turned, the output's columns are the samples' rows.
            const int i = frame.turned ? down : across, j = frame.turned ? across : down;
            std::copy_n(in.data.data() + (static_cast<size_t>(j) * in.width + i) * c, c, to + x * c);
        }
    }
    return out;
}

// The opacity of every sample of a mask, from 0 to 255.
std::vector<unsigned char> MaskOpacity(const SourceImage& image) {
    const int w = image.maskWidth, h = image.maskHeight;
    std::vector<unsigned char> opacity(static_cast<size_t>(w) * h, 255);
    GfxImageColorMap* map = image.maskColorMap;
    const int comps = map ? map->getNumPixelComps() : 1;
    ImageStream stream(image.maskStr, w, comps, map ? map->getBits() : 1);
    stream.reset();
    std::vector<unsigned char> grey(w);
    for (int y = 0; y < h; ++y) {
        unsigned char* line = stream.getLine();
        if (!line) break;
        unsigned char* to = opacity.data() + static_cast<size_t>(y) * w;
        if (map) {
            for (int x = 0; x < w; ++x) {
                GfxGray g;
                map->getGray(line + x * comps, &g);
                to[x] = colToByte(g);
            }
        } else {
            // A stencil's 0 paints, unless its decoding turns it round.
            const unsigned char painted = image.maskInvert ? 1 : 0;
            for (int x = 0; x < w; ++x) to[x] = line[x] == painted ? 255 : 0;
        }
    }
    stream.close();
    return opacity;
}

// Turns the samples of one row into pixels: a table for one component of up
// to 8 bits (grey, indexed, separations, bi-level), the colour space's own
// line conversion otherwise.
class RowColours {
public:
    RowColours(const SourceImage& image) : image_(image) {
        if (image.stencil) {
            grey_ = false;
            return;
        }
        GfxImageColorMap* map = image.colorMap;
        comps_ = map->getNumPixelComps();
        if (comps_ == 1 && map->getBits() <= 8) {
            const int values = 1 << map->getBits();
            table_.resize(3 * values);
            for (int v = 0; v < values; ++v) {
                unsigned char sample = static_cast<unsigned char>(v);
                GfxRGB rgb;
                map->getRGB(&sample, &rgb);
                table_[3 * v] = colToByte(rgb.r);
                table_[3 * v + 1] = colToByte(rgb.g);
                table_[3 * v + 2] = colToByte(rgb.b);
                grey_ = grey_ && table_[3 * v] == table_[3 * v + 1] && table_[3 * v] == table_[3 * v + 2];
            }
        } else {
            grey_ = false;
        }
    }

    int Colours() const { return grey_ ? 1 : 3; }

    // `line` holds the row's samples; `out` gets Colours() bytes a pixel, and
    // then a byte of opacity when `alpha`.
    void Convert(unsigned char* line, int width, bool alpha, unsigned char* out) {
        const int step = Colours() + (alpha ? 1 : 0);
        if (image_.stencil) {
            const unsigned char painted = image_.invert ? 1 : 0;
            const unsigned char fill[3] = {colToByte(image_.fill.r), colToByte(image_.fill.g), colToByte(image_.fill.b)};
            for (int x = 0; x < width; ++x, out += step) {
                std::copy_n(fill, 3, out);
                out[3] = line[x] == painted ? 255 : 0;
            }
            return;
        }
        if (!table_.empty()) {
            for (int x = 0; x < width; ++x, out += step) {
                const unsigned char* c = table_.data() + 3 * line[x];
                if (grey_) out[0] = c[0];
                else std::copy_n(c, 3, out);
                if (alpha) out[step - 1] = 255;
            }
            return;
        }
        GfxImageColorMap* map = image_.colorMap;
        rgb_.resize(3 * static_cast<size_t>(width));
        if (map->useRGBLine()) {
            map->getRGBLine(line, rgb_.data(), width);
        } else {
            for (int x = 0; x < width; ++x) {
                GfxRGB rgb;
                map->getRGB(line + x * comps_, &rgb);
                rgb_[3 * x] = colToByte(rgb.r);
                rgb_[3 * x + 1] = colToByte(rgb.g);
                rgb_[3 * x + 2] = colToByte(rgb.b);
            }
        }
        for (int x = 0; x < width; ++x, out += step) {
            std::copy_n(rgb_.data() + 3 * x, 3, out);
            if (alpha) out[3] = 255;
        }
    }

private:
    const SourceImage& image_;
    int comps_ = 1;
    bool grey_ = true;
    std::vector<unsigned char> table_;
    std::vector<unsigned char> rgb_;
};

bool KeyedOut(const unsigned char* sample, const int* key, int comps) {
    for (int k = 0; k < comps; ++k)
        if (sample[k] < key[2 * k] || sample[k] > key[2 * k + 1]) return false;
    return true;
}

// Every sample of the picture, decoded and brought to width x height.
Pixels Decode(const SourceImage& image, int width, int height) {
    RowColours colours(image);
    const bool alpha = image.stencil || image.maskStr || image.colourKey;
    const int channels = colours.Colours() + (alpha ? 1 : 0);
    std::vector<unsigned char> opacity;
    if (image.maskStr && image.maskWidth > 0 && image.maskHeight > 0) opacity = MaskOpacity(image);

    const int comps = image.stencil ? 1 : image.colorMap->getNumPixelComps();
    const int bits = image.stencil ? 1 : image.colorMap->getBits();
    ImageStream stream(image.str, image.width, comps, bits);
    stream.reset();
    Reducer reducer(image.width, image.height, width, height, channels);
    std::vector<unsigned char> row(static_cast<size_t>(image.width) * channels, 255);
    std::vector<unsigned char> blank(static_cast<size_t>(image.width) * comps, 0);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* line = stream.getLine();
        // A picture cut short shows what it has, and samples of 0 for the rest.
        if (!line) line = blank.data();
        colours.Convert(line, image.width, alpha, row.data());
        if (image.colourKey) {
            for (int x = 0; x < image.width; ++x)
                if (KeyedOut(line + x * comps, image.colourKey, comps)) row[static_cast<size_t>(x) * channels + channels - 1] = 0;
        }
        if (!opacity.empty()) {
            // A mask of another size is laid over the picture, stretched.
            const int my = static_cast<int>(static_cast<long long>(y) * image.maskHeight / image.height);
            const unsigned char* m = opacity.data() + static_cast<size_t>(my) * image.maskWidth;
            for (int x = 0; x < image.width; ++x) {
                const int mx = static_cast<int>(static_cast<long long>(x) * image.maskWidth / image.width);
                row[static_cast<size_t>(x) * channels + channels - 1] = m[mx];
            }
        }
        reducer.Add(row.data());
    }
    stream.close();
    return reducer.Finish();
}

// A photograph stays one: what was lossy in the PDF is not worth a lossless copy.
bool StoredLossy(Stream* str) {
    const StreamKind kind = str->getKind();
    return kind == strDCT || kind == strJPX;
}

// The pixels laid on white paper, their opacity dropped.
Pixels OverWhite(const Pixels& in) {
    if (in.channels != 2 && in.channels != 4) return in;
    Pixels out;
    out.width = in.width;
    out.height = in.height;
    out.channels = in.channels - 1;
    out.data.resize(static_cast<size_t>(out.width) * out.height * out.channels);
    const size_t pixels = static_cast<size_t>(in.width) * in.height;
    for (size_t i = 0; i < pixels; ++i) {
        const unsigned char* from = in.data.data() + i * in.channels;
        const unsigned a = from[out.channels];
        for (int k = 0; k < out.channels; ++k)
            out.data[i * out.channels + k] = static_cast<unsigned char>((from[k] * a + 255 * (255 - a) + 127) / 255);
    }
    return out;
}

}  // namespace

bool FrameOf(const double* m, PictureFrame& frame) {
    const double scale = std::fabs(m[0]) + std::fabs(m[1]) + std::fabs(m[2]) + std::fabs(m[3]);
    const double tiny = scale * 1e-6;
    auto zero = [tiny](double v) { return std::fabs(v) <= tiny; };
    if (scale <= 0) return false;
    if (zero(m[1]) && zero(m[2])) {
        frame.turned = false;
        frame.mirrorAcross = m[0] < 0;
        frame.mirrorDown = m[3] < 0;
        frame.across = std::fabs(m[0]);
        frame.down = std::fabs(m[3]);
    } else if (zero(m[0]) && zero(m[3])) {
        // The samples' width runs up or down the page, their height across it.
        frame.turned = true;
        frame.mirrorAcross = m[2] > 0;
        frame.mirrorDown = m[1] > 0;
        frame.across = std::fabs(m[1]);
        frame.down = std::fabs(m[2]);
    } else {
        return false;
    }
    // The matrix's y runs up the page: its least y is the picture's bottom.
    const FootprintBox square = UnitSquareBox(m);
    frame.left = square.left;
    frame.bottom = square.top;
    frame.width = square.Width();
    frame.height = square.Height();
    return true;
}

bool SourcePictures::Takes(const SourceImage& image) {
    if (!image.str || image.width < 1 || image.height < 1) return false;
    if (!image.stencil && (!image.colorMap || !image.colorMap->isOk())) return false;
    if (image.maskStr && (image.maskWidth < 1 || image.maskHeight < 1)) return false;
    if (image.maskColorMap && (!image.maskColorMap->isOk() || image.maskColorMap->getBits() > 8)) return false;
    // Samples of 16 bits are left to the other path, which reads them whole.
    if (image.colorMap && image.colorMap->getBits() > 8) return false;
    // A row's samples and a mask are held whole; past this, the other path copes.
    return static_cast<long long>(image.width) * 4 < (1LL << 28) &&
           static_cast<long long>(image.maskWidth) * image.maskHeight < (1LL << 28);
}

EncodedPicture SourcePictures::Take(const SourceImage& image, const PictureFrame& frame) {
    const int width = SampleLimit(frame.across, image.width);
    const int height = SampleLimit(frame.down, image.height);
    const int turn = (frame.turned ? 4 : 0) | (frame.mirrorAcross ? 2 : 0) | (frame.mirrorDown ? 1 : 0);
    const uint32_t fill = image.stencil ? static_cast<uint32_t>(colToByte(image.fill.r)) << 16 |
                                              static_cast<uint32_t>(colToByte(image.fill.g)) << 8 |
                                              colToByte(image.fill.b)
                                        : 0;
    const bool named = !image.inlineImage && image.ref && image.ref->isRef();
    const Key key = named ? Key{image.ref->getRefNum(), image.ref->getRefGen(), width * 65536 + height, turn,
                                image.stencil ? 1 : 0, fill}
                          : Key{};
    if (named) {
        std::lock_guard<std::mutex> hold(lock_);
        if (auto found = made_.find(key); found != made_.end()) {
            if (tally_) ++tally_->reused;
            return found->second;
        }
    }
    EncodedPicture picture = Make(image, frame, width, height);
    std::lock_guard<std::mutex> hold(lock_);
    if (tally_) ++tally_->decoded;
    if (named && picture.data) Keep(key, picture);
    return picture;
}

void SourcePictures::Keep(const Key& key, const EncodedPicture& picture) {
    const size_t size = picture.data->size();
    if (size > kLargestKept) return;
    made_.emplace(key, picture);
    order_.push_back(key);
    bytesKept_ += size;
    while (bytesKept_ > kMostBytesKept && !order_.empty()) {
        auto oldest = made_.find(order_.front());
        bytesKept_ -= oldest->second.data->size();
        made_.erase(oldest);
        order_.pop_front();
    }
}

EncodedPicture SourcePictures::Make(const SourceImage& image, const PictureFrame& frame, int width, int height) {
    EncodedPicture picture;
    picture.width = width;
    picture.height = height;
    const bool asStored = !image.stencil && !image.maskStr && !image.colourKey && !image.inlineImage &&
                          picture.width == image.width && picture.height == image.height && !frame.turned &&
                          !frame.mirrorAcross && !frame.mirrorDown && image.str->getKind() == strDCT &&
                          ShownAsStored(image.colorMap);
    if (asStored) {
        std::string jpeg = StoredJpeg(image.str);
        int components = 0, w = 0, h = 0;
        if (JpegFrame(jpeg, components, w, h) && components == image.colorMap->getNumPixelComps() &&
            w == image.width && h == image.height) {
            picture.data = std::make_shared<const std::string>(std::move(jpeg));
            picture.format = PictureFormat::Jpeg;
            return picture;
        }
    }
    Pixels pixels = Oriented(Decode(image, picture.width, picture.height), frame);
    // A masked photograph as PNG is several times its JPEG: it is laid on the
    // paper instead, which is what shows around it on nearly every page.
    const bool photograph = StoredLossy(image.str);
    if (photograph) pixels = OverWhite(pixels);
    picture.width = pixels.width;
    picture.height = pixels.height;
    const double dpi = frame.width > 0 ? pixels.width / (frame.width / kXmlPerInch) : 0;
    const PixelView view = pixels.View();
    std::string bytes = photograph ? EncodeJpeg(view, dpi, kJpegQuality) : EncodePng(view, dpi, kPngLevel);
    if (bytes.empty()) return {};
    picture.data = std::make_shared<const std::string>(std::move(bytes));
    picture.format = photograph ? PictureFormat::Jpeg : PictureFormat::Png;
    return picture;
}

}  // namespace pagegraphics
