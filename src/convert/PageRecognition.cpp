// Recognising the text of scanned pages: the choice of the pages, their
// rendering and the words in the XML's units.
#include "convert/PageRecognition.h"

#include <GfxState.h>
#include <OutputDev.h>
#include <PDFDoc.h>
#include <SplashOutputDev.h>
#include <splash/SplashBitmap.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "convert/CConvertPara.h"
#include "platform/TextRecognition.h"

namespace {

constexpr double kXmlPerInch = 108;
constexpr double kRecognitionDpi = 300;
// A scan's picture covers the page; its margins may be cropped a little.
constexpr double kScanShare = 0.5;
// Text that covers this little of a scanned page is a stamp or a header the
// scanner added, not the page's text.
constexpr double kStampShare = 0.05;

// Finds how much of the page its largest picture covers, and draws nothing.
class PictureCover : public OutputDev {
public:
    bool upsideDown() override { return true; }
    bool useDrawChar() override { return false; }
    bool interpretType3Chars() override { return false; }
    bool needNonText() override { return true; }
    bool useTilingPatternFill() override { return true; }
    bool tilingPatternFill(GfxState*, Gfx*, Catalog*, GfxTilingPattern*, const double*, int, int, int, int, double,
                           double) override {
        return true;
    }
    bool useShadedFills(int) override { return true; }
    bool axialShadedFill(GfxState*, GfxAxialShading*, double, double) override { return true; }
    bool radialShadedFill(GfxState*, GfxRadialShading*, double, double) override { return true; }
    bool functionShadedFill(GfxState*, GfxFunctionShading*) override { return true; }
    bool gouraudTriangleShadedFill(GfxState*, GfxGouraudTriangleShading*) override { return true; }
    bool patchMeshShadedFill(GfxState*, GfxPatchMeshShading*) override { return true; }

    void startPage(int, GfxState* state, XRef*) override {
        pageArea_ = state->getPageWidth() * state->getPageHeight();
        pageWidth_ = state->getPageWidth();
        pageHeight_ = state->getPageHeight();
    }
    void drawImageMask(GfxState* state, Object*, Stream* str, int w, int h, bool, bool, bool inlineImg) override {
        Cover(state);
        Skip(str, inlineImg, h * ((w + 7) / 8));
    }
    void drawImage(GfxState* state, Object*, Stream* str, int w, int h, GfxImageColorMap* map, bool, const int*,
                   bool inlineImg) override {
        Cover(state);
        Skip(str, inlineImg, h * ((w * map->getNumPixelComps() * map->getBits() + 7) / 8));
    }
    void drawMaskedImage(GfxState* state, Object*, Stream*, int, int, GfxImageColorMap*, bool, Stream*, int, int,
                         bool, bool) override {
        Cover(state);
    }
    void drawSoftMaskedImage(GfxState* state, Object*, Stream*, int, int, GfxImageColorMap*, bool, Stream*, int, int,
                             GfxImageColorMap*, bool) override {
        Cover(state);
    }

    double LargestShare() const { return pageArea_ > 0 ? largest_ / pageArea_ : 0; }

private:
    void Cover(GfxState* state) {
        double xs[4], ys[4];
        const double corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
        for (int i = 0; i < 4; ++i) state->transform(corners[i][0], corners[i][1], &xs[i], &ys[i]);
        const double left = std::max(0.0, *std::min_element(xs, xs + 4));
        const double right = std::min(pageWidth_, *std::max_element(xs, xs + 4));
        const double top = std::max(0.0, *std::min_element(ys, ys + 4));
        const double bottom = std::min(pageHeight_, *std::max_element(ys, ys + 4));
        if (right > left && bottom > top) largest_ = std::max(largest_, (right - left) * (bottom - top));
    }
    // An inline picture's data lies in the content stream: it is read past.
    static void Skip(Stream* str, bool inlineImg, long long bytes) {
        if (!inlineImg) return;
        str->reset();
        for (long long i = 0; i < bytes && str->getChar() != EOF; ++i) {
        }
        str->close();
    }

    double pageArea_ = 0, pageWidth_ = 0, pageHeight_ = 0, largest_ = 0;
};

}  // namespace

JobPageRecognition::JobPageRecognition(CConvertPara& para, std::function<std::unique_ptr<PDFDoc>()> openCopy)
    : para_(para), openCopy_(std::move(openCopy)) {}

JobPageRecognition::~JobPageRecognition() = default;

PDFDoc* JobPageRecognition::Document() {
    if (!document_ && openCopy_) document_ = openCopy_();
    return document_ && document_->isOk() ? document_.get() : nullptr;
}

double JobPageRecognition::LargestPictureShare(int page) {
    PDFDoc* doc = Document();
    if (!doc || page < 1 || page > doc->getNumPages()) return 0;
    PictureCover cover;
    doc->displayPage(&cover, page, 72, 72, 0, false, true, false);
    return cover.LargestShare();
}

PageTextSource JobPageRecognition::Choose(const PageTextFacts& facts) {
    // A scan recognised before carries its words as invisible text over its
    // picture; invisible text elsewhere is a trick, and stays out.
    if (!facts.visibleText && facts.invisibleText && LargestPictureShare(facts.page) >= kScanShare)
        return PageTextSource::HiddenLayer;
    leaveTextOut_ = facts.visibleText;
    switch (para_.ocrMode) {
        case OcrNever:
            return PageTextSource::Own;
        case OcrAlways:
            return PageTextSource::Recognised;
        default:
            if (!facts.visibleText) return PageTextSource::Recognised;
            if (facts.textShare < kStampShare && LargestPictureShare(facts.page) >= kScanShare)
                return PageTextSource::Recognised;
            return PageTextSource::Own;
    }
}

std::vector<RecognisedWord> JobPageRecognition::Recognise(int page) {
    std::vector<RecognisedWord> words;
    PDFDoc* doc = Document();
    if (!doc || page < 1 || page > doc->getNumPages() || para_.cancelRequested != 0) return words;
    if (!recognizer_ && !recognizerFailed_) {
        const std::string languages =
            para_.ocrLanguages.empty() ? platform::DefaultOcrLanguages() : para_.ocrLanguages;
        recognizer_ = std::make_unique<platform::TextRecognizer>(languages);
        if (!recognizer_->Ready()) {
            recognizerFailed_ = true;
            para_.AddNote("the text of scanned pages could not be recognised: " + recognizer_->Problem());
        }
    }
    if (recognizerFailed_) return words;
    para_.Log("Recognising text of page " + std::to_string(page) + "...");

    SplashColor paper = {255, 255, 255};
    SplashOutputDev splash(splashModeMono8, 4, false, paper);
    // The page's own text is in the XML already: only what its pictures show is read.
    splash.setSkipText(leaveTextOut_, leaveTextOut_);
    splash.startDoc(doc);
    doc->displayPage(&splash, page, kRecognitionDpi, kRecognitionDpi, 0, false, true, false);
    SplashBitmap* bitmap = splash.getBitmap();
    if (!bitmap || bitmap->getWidth() < 1 || bitmap->getHeight() < 1) return words;
    platform::GreyImage image;
    image.data = bitmap->getDataPtr();
    image.width = bitmap->getWidth();
    image.height = bitmap->getHeight();
    image.stride = static_cast<size_t>(bitmap->getRowSize());
    image.dpi = static_cast<int>(kRecognitionDpi);
    const platform::RecognisedPage recognised = recognizer_->Recognise(image, &para_.cancelRequested);

    const double scale = kXmlPerInch / kRecognitionDpi;
    for (const platform::RecognisedWord& w : recognised.words) {
        RecognisedWord word;
        word.text = w.text;
        word.left = w.box.left * scale;
        word.top = w.box.top * scale;
        word.right = w.box.right * scale;
        word.bottom = w.box.bottom * scale;
        word.baseline = w.baseline * scale;
        word.size = w.size * scale;
        word.serif = w.serif;
        word.monospace = w.monospace;
        words.push_back(std::move(word));
        confidenceSum_ += w.confidence;
    }
    wordsRecognised_ += static_cast<long>(recognised.words.size());
    ++pagesRecognised_;
    return words;
}

std::string JobPageRecognition::Summary() const {
    if (pagesRecognised_ == 0) return {};
    char line[160];
    if (wordsRecognised_ == 0) {
        std::snprintf(line, sizeof line, "%d page%s recognised as text: no words found", pagesRecognised_,
                      pagesRecognised_ == 1 ? " was" : "s were");
        return line;
    }
    std::snprintf(line, sizeof line, "%d page%s recognised as text (%ld words, mean confidence %.0f %%)",
                  pagesRecognised_, pagesRecognised_ == 1 ? " was" : "s were", wordsRecognised_,
                  confidenceSum_ / static_cast<double>(wordsRecognised_));
    return line;
}
