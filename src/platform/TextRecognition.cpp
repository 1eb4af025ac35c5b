// Tesseract behind the recognizer: the page's layout first, for its skew and its
// picture regions, then the words of the page turned level, in the given image's pixels.
#include "platform/TextRecognition.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <cmath>

#include "platform/OcrLanguages.h"

namespace platform {
namespace {

// Below this the turn is within the jitter of Tesseract's estimate and turning
// would only blur the glyphs; beyond the upper limit the estimate is no longer
// a scanner's skew but a page set at an angle on purpose.
constexpr double kLeastSkewDegrees = 0.2;
constexpr double kMostSkewDegrees = 5.0;
constexpr int kShortestSkewLine = 300;  // pixels: an inch at 300 dpi
// A text line's height from the top of its ascenders to the bottom of its
// descenders is about 0.94 of the size it was set in (Helvetica 0.93, Times 0.9).
constexpr double kSizePerLineHeight = 1.06;

struct PixDeleter {
    void operator()(Pix* pix) const { pixDestroy(&pix); }
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

PixPtr GreyPix(const GreyImage& image) {
    PixPtr pix(pixCreate(image.width, image.height, 8));
    if (!pix) return nullptr;
    l_uint32* data = pixGetData(pix.get());
    int wpl = pixGetWpl(pix.get());
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = image.data + static_cast<size_t>(y) * image.stride;
        l_uint32* line = data + static_cast<size_t>(y) * wpl;
        for (int x = 0; x < image.width; ++x) SET_DATA_BYTE(line, x, row[x]);
    }
    pixSetResolution(pix.get(), image.dpi, image.dpi);
    return pix;
}

// The pictures of the layout and the skew of its text, in degrees the page must
// be turned clockwise to be level. The skew is read from the baselines of the
// text lines: the deskew angle of Tesseract's blocks follows the alignment of
// the margins, which on a page of a few lines is the side bearings of their
// first letters. The median line decides, so an odd line does not turn the page.
double ReadLayout(tesseract::PageIterator* layout, std::vector<PixelBox>& pictures) {
    std::vector<double> angles;
    if (!layout) return 0;
    do {
        tesseract::PolyBlockType type = layout->BlockType();
        if (tesseract::PTIsImageType(type)) {
            PixelBox box;
            if (layout->BoundingBox(tesseract::RIL_BLOCK, &box.left, &box.top, &box.right, &box.bottom))
                pictures.push_back(box);
        }
    } while (layout->Next(tesseract::RIL_BLOCK));
    layout->Begin();
    do {
        tesseract::PolyBlockType type = layout->BlockType();
        if (!tesseract::PTIsTextType(type) || type == tesseract::PT_VERTICAL_TEXT) continue;
        int x1, y1, x2, y2, left, top, right, bottom;
        if (!layout->Baseline(tesseract::RIL_TEXTLINE, &x1, &y1, &x2, &y2) ||
            !layout->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom))
            continue;
        // A short line's slope is mostly the rounding of its ends.
        if (right - left < kShortestSkewLine || x2 == x1) continue;
        angles.push_back(std::atan2(y1 - y2, x2 - x1) * 180.0 / M_PI);
    } while (layout->Next(tesseract::RIL_TEXTLINE));
    if (angles.empty()) return 0;
    std::nth_element(angles.begin(), angles.begin() + angles.size() / 2, angles.end());
    return angles[angles.size() / 2];
}

// Turns points of the image about its middle.
struct Turn {
    double sine = 0, cosine = 1;
    double middleX = 0, middleY = 0;

    void Map(double x, double y, double& outX, double& outY) const {
        double dx = x - middleX, dy = y - middleY;
        outX = middleX + cosine * dx + sine * dy;
        outY = middleY - sine * dx + cosine * dy;
    }
};

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Tesseract asks between words whether to stop; `stopped` remembers that it was told to.
struct CancelWatch {
    const std::atomic<int32_t>* cancel;
    bool stopped = false;
    static bool Asked(void* self, int) {
        auto* watch = static_cast<CancelWatch*>(self);
        if (watch->cancel && watch->cancel->load() != 0) watch->stopped = true;
        return watch->stopped;
    }
};

double LineSize(const tesseract::ResultIterator& it) {
    float rowHeight = 0, descenders = 0, ascenders = 0;
    it.RowAttributes(&rowHeight, &descenders, &ascenders);
    // Tesseract's row height runs from the bottom of the descenders to the top of the ascenders.
    return rowHeight * kSizePerLineHeight;
}

std::vector<RecognisedWord> ReadWords(tesseract::ResultIterator* it, const Turn* turn) {
    std::vector<RecognisedWord> words;
    if (!it) return words;
    int block = -1, line = -1;
    double size = 0;
    do {
        if (it->Empty(tesseract::RIL_WORD)) continue;
        if (it->IsAtBeginningOf(tesseract::RIL_BLOCK)) ++block;
        if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
            ++line;
            size = LineSize(*it);
        }
        std::unique_ptr<char[]> utf8(it->GetUTF8Text(tesseract::RIL_WORD));
        std::string text = utf8 ? utf8.get() : "";
        text.erase(0, text.find_first_not_of(" \t\n"));
        text.erase(text.find_last_not_of(" \t\n") + 1);
        if (text.empty()) continue;
        RecognisedWord word;
        word.text = std::move(text);
        PixelBox& box = word.box;
        it->BoundingBox(tesseract::RIL_WORD, &box.left, &box.top, &box.right, &box.bottom);
        double middle = (box.left + box.right) / 2.0;
        double baseline = box.bottom;
        int x1, y1, x2, y2;
        if (it->Baseline(tesseract::RIL_WORD, &x1, &y1, &x2, &y2))
            baseline = x2 == x1 ? y1 : y1 + (y2 - y1) * (middle - x1) / (x2 - x1);
        if (turn) {
            // The word keeps its size; its middle and its baseline move with the page.
            double x, y, bx, by;
            turn->Map(middle, (box.top + box.bottom) / 2.0, x, y);
            turn->Map(middle, baseline, bx, by);
            int w = box.right - box.left, h = box.bottom - box.top;
            box.left = Round(x - w / 2.0);
            box.top = Round(y - h / 2.0);
            box.right = box.left + w;
            box.bottom = box.top + h;
            baseline = by;
        }
        word.baseline = Round(baseline);
        word.size = size;
        word.confidence = it->Confidence(tesseract::RIL_WORD);
        word.line = line;
        word.block = block;
        bool bold, italic, underlined, monospace, serif, smallcaps;
        int points, fontId;
        if (it->WordFontAttributes(&bold, &italic, &underlined, &monospace, &serif, &smallcaps, &points, &fontId)) {
            word.serif = serif;
            word.monospace = monospace;
        }
        words.push_back(std::move(word));
    } while (it->Next(tesseract::RIL_WORD));
    return words;
}

}  // namespace

struct TextRecognizer::Engine {
    tesseract::TessBaseAPI api;
};

TextRecognizer::TextRecognizer(const std::string& languages) {
    problem_ = MissingOcrLanguage(languages);
    if (!problem_.empty()) return;
    auto engine = std::make_unique<Engine>();
    // Tesseract reports its estimates and warnings on standard error for every page.
    std::vector<std::string> names = {"debug_file"}, values = {"/dev/null"};
    std::string folder = OcrDataFolder();
    if (engine->api.Init(folder.c_str(), languages.empty() ? "eng" : languages.c_str(), tesseract::OEM_DEFAULT,
                         nullptr, 0, &names, &values, false) != 0) {
        problem_ = "Tesseract could not start with the OCR languages \"" + languages + "\"";
        return;
    }
    engine->api.SetPageSegMode(tesseract::PSM_AUTO);
    engine_ = std::move(engine);
}

TextRecognizer::~TextRecognizer() {
    if (engine_) engine_->api.End();
}

bool TextRecognizer::Ready() const { return engine_ != nullptr; }

const std::string& TextRecognizer::Problem() const { return problem_; }

RecognisedPage TextRecognizer::Recognise(const GreyImage& image, const std::atomic<int32_t>* cancel) {
    RecognisedPage page;
    if (!engine_ || !image.data || image.width <= 0 || image.height <= 0) return page;
    tesseract::TessBaseAPI& api = engine_->api;
    PixPtr pix = GreyPix(image);
    if (!pix) return page;
    api.SetImage(pix.get());
    api.SetSourceResolution(image.dpi);
    CancelWatch watch{cancel};
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = &CancelWatch::Asked;
    monitor.cancel_this = &watch;
    // One layout analysis serves the words, the pictures and the skew: Tesseract
    // reads a page turned by a few degrees well, and turning the image back
    // first cost a second analysis and the turning, a sixth more than the words.
    int failed = api.Recognize(&monitor);
    // The words of a stopped recognition are half read; none is better than a part.
    page.cancelled = watch.stopped;
    if (failed == 0 && !page.cancelled) {
        std::unique_ptr<tesseract::ResultIterator> words(api.GetIterator());
        const double skew = ReadLayout(words.get(), page.pictures);
        Turn level;
        const double magnitude = std::fabs(skew);
        if (magnitude > kLeastSkewDegrees && magnitude <= kMostSkewDegrees) {
            // The words are placed as on the page turned level about its middle, so
            // that the words of a line share one baseline.
            const double radians = skew * M_PI / 180.0;
            level.sine = -std::sin(radians);
            level.cosine = std::cos(radians);
            level.middleX = image.width / 2.0;
            level.middleY = image.height / 2.0;
            page.skewDegrees = skew;
        }
        if (words) words->Begin();
        page.words = ReadWords(words.get(), page.skewDegrees != 0 ? &level : nullptr);
    }
    api.Clear();
    return page;
}

}  // namespace platform
