#pragma once
// Pictures taken from the PDF as it has them, without Ghostscript: a JPEG drawn
// as it is stored goes into the RTF byte for byte; any other picture is decoded
// by the PDF core (its colour space, decode array and masks applied) and
// encoded as PNG, or as JPEG when it was a photograph to begin with. A picture
// is embedded at no more than about 300 dpi of its size on the page, and one
// drawn many times (a logo on every page) is made once per job.
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

#include <GfxState.h>

#include "rtf/RecordedGraphics.h"

class Object;
class Stream;

namespace pagegraphics {

struct PictureTally;

// How a picture lies on the page, from its matrix: its box, and how its samples
// turn to show as they are drawn. Only pictures along the page's axes have one.
struct PictureFrame {
    double left = 0, bottom = 0, width = 0, height = 0;  // XML units, y up
    bool turned = false;     // the samples' rows run down the page: a quarter turn
    bool mirrorAcross = false;  // the first output column comes from the samples' far end
    bool mirrorDown = false;    // likewise for the first output row
    double across = 0, down = 0;  // the page lengths the samples' width and height span
};

// False for a slanted picture, which has no frame.
bool FrameOf(const double* ctm, PictureFrame& frame);

// A picture as the PDF core hands it to an output device.
struct SourceImage {
    Object* ref = nullptr;  // the XObject, when it is one: pictures are told apart by it
    Stream* str = nullptr;
    int width = 0, height = 0;
    GfxImageColorMap* colorMap = nullptr;  // none for a stencil mask
    bool inlineImage = false;
    // A stencil mask paints `fill` where its bit is 0 (1 when `invert`).
    bool stencil = false;
    bool invert = false;
    GfxRGB fill{};
    const int* colourKey = nullptr;  // samples in these ranges are not painted
    // An explicit mask (1 bit, no colour map) or a soft mask (with one).
    Stream* maskStr = nullptr;
    int maskWidth = 0, maskHeight = 0;
    bool maskInvert = false;
    GfxImageColorMap* maskColorMap = nullptr;
};

struct EncodedPicture {
    std::shared_ptr<const std::string> data;
    PictureFormat format = PictureFormat::Png;
    int width = 0, height = 0;  // of the embedded pixels
};

// The pictures of one job, made once each. Used by one recording thread at a
// time, but locked all the same: it costs nothing beside a decoding.
class SourcePictures {
public:
    // Counts what it makes and finds made into `tally`.
    explicit SourcePictures(PictureTally* tally) : tally_(tally) {}

    // Whether the picture can be taken directly. Decided before its data is
    // read, so that a picture left to the other path is read there whole.
    static bool Takes(const SourceImage& image);
    // The picture as it shows in `frame`; empty when it could not be made.
    EncodedPicture Take(const SourceImage& image, const PictureFrame& frame);

private:
    using Key = std::tuple<int, int, int, int, int, uint32_t>;  // object, generation, size, turn, fill
    // The picture brought to width x height samples and turned as `frame` shows it.
    EncodedPicture Make(const SourceImage& image, const PictureFrame& frame, int width, int height);
    void Keep(const Key& key, const EncodedPicture& picture);

    std::mutex lock_;
    std::map<Key, EncodedPicture> made_;
    std::list<Key> order_;  // the oldest first, to be forgotten first
    size_t bytesKept_ = 0;
    PictureTally* tally_;
};

}  // namespace pagegraphics
