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
#include <thread>

#include "convert/CConvertPara.h"
#include "pagegraphics/DrawingPictures.h"
#include "pagegraphics/PictureEncode.h"
#include "platform/DrawingBudget.h"
#include "platform/TextRecognition.h"
#include "rtf/RecordedGraphics.h"

namespace {

constexpr double kXmlPerInch = 108;
constexpr double kRecognitionDpi = 300;
// A scan's picture covers the page; its margins may be cropped a little.
constexpr double kScanShare = 0.5;
// Text that covers this little of a scanned page is a stamp or a header the
// scanner added, not the page's text.
constexpr double kStampShare = 0.05;

// A scan draws a picture and little else: a page of more operations than this
// is no scan, and drawing it again for its picture would cost as much as its text.
constexpr long long kScanQuestions = 100'000;

// The blank of the faces recognised words are set in, in ems.
constexpr double kBlankEms = 0.25;
// A gap up to this many times a line's usual gap between words is one blank.
constexpr double kWordGapSlack = 1.8;

// Tesseract's boxes hold the ink of a word only: the gaps between them are
// wider than a blank by the letters' side bearings, and the layout would read
// two blanks in many of them. The usual gaps of a line are brought to one blank
// of the face the words are set in; wider ones (columns, tab stops) stay.
void OneBlankBetweenWords(std::vector<RecognisedWord>& words, const std::vector<int>& lines) {
    for (size_t start = 0; start < words.size();) {
        size_t end = start + 1;
        while (end < words.size() && lines[end] == lines[start]) ++end;
        std::vector<double> gaps;
        for (size_t i = start + 1; i < end; ++i) gaps.push_back(words[i].left - words[i - 1].right);
        if (!gaps.empty()) {
            std::vector<double> sorted = gaps;
            std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
            const double usual = sorted[sorted.size() / 2];
            for (size_t i = start + 1; i < end; ++i) {
                RecognisedWord& before = words[i - 1];
                const double blank = before.size * kBlankEms;
                if (gaps[i - start - 1] <= usual * kWordGapSlack && gaps[i - start - 1] > blank)
                    before.right = std::max(before.left + 1, words[i].left - blank);
            }
        }
        start = end;
    }
}

// Scanned pages read at once: one a processor, but each reader holds its own
// language data and page.
unsigned ReadersAhead() { return std::clamp(std::thread::hardware_concurrency(), 2u, 4u); }

// A figure smaller than this (in square inches) is a speck or a stamp, not worth a picture.
constexpr double kLeastFigureArea = 0.25;
// Figures cut from a scan are shown at the resolution scans usually have.
constexpr double kFigureDpi = 200;

// Finds how much of the page its largest picture covers, and whether it shows
// any text, and draws nothing.
class PictureCover : public OutputDev {
public:
    bool upsideDown() override { return true; }
    bool useDrawChar() override { return true; }
    void drawChar(GfxState*, double, double, double, double, double, double, CharCode, int, const Unicode*,
                  int) override {
        ++characters_;
    }
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
    long Characters() const { return characters_; }

private:
    void Cover(GfxState* state) {
        const pagegraphics::FootprintBox shown =
            pagegraphics::UnitSquareBox(state->getCTM()).Intersected({0, 0, pageWidth_, pageHeight_});
        largest_ = std::max(largest_, shown.Width() * shown.Height());
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
    long characters_ = 0;
};

// The area a picture covers on its page, in square XML units.
double PictureArea(const Picture& picture) {
    return (std::fabs(picture.scaleA) + std::fabs(picture.scaleC)) * (std::fabs(picture.scaleB) + std::fabs(picture.scaleD));
}

}  // namespace

void RecognisedScans::ReplaceScan(int page, GraphicsList& graphics) {
    if (!pages.count(page)) return;
    double largest = 0;
    for (const auto& entry : graphics)
        if (entry && entry->Kind() == GraphicEntry::KindPicture)
            largest = std::max(largest, PictureArea(static_cast<const Picture&>(*entry)));
    GraphicsList kept;
    if (auto found = figures.find(page); found != figures.end()) {
        for (auto& figure : found->second) kept.push_back(std::move(figure));
        figures.erase(found);
    }
    for (auto& entry : graphics) {
        // The scan is the page's largest picture; pictures beside it stay.
        const bool scan = entry && entry->Kind() == GraphicEntry::KindPicture && largest > 0 &&
                          PictureArea(static_cast<const Picture&>(*entry)) >= largest;
        if (!scan) kept.push_back(std::move(entry));
    }
    graphics = std::move(kept);
}

JobPageRecognition::JobPageRecognition(CConvertPara& para, std::function<std::unique_ptr<PDFDoc>()> openCopy,
                                       RecognisedScans& scans)
    : para_(para), openCopy_(std::move(openCopy)), scans_(scans) {}


PDFDoc* JobPageRecognition::Document() {
    if (!document_ && openCopy_) document_ = openCopy_();
    return document_ && document_->isOk() ? document_.get() : nullptr;
}

double JobPageRecognition::LargestPictureShare(int page, bool* anyText) {
    PDFDoc* doc = Document();
    if (!doc || page < 1 || page > doc->getNumPages()) return 0;
    PictureCover cover;
    platform::DrawingBudget budget(&para_.cancelRequested, kScanQuestions);
    doc->displayPage(&cover, page, 72, 72, 0, false, true, false, &platform::DrawingBudget::Spent, &budget);
    if (anyText) *anyText = cover.Characters() > 0;
    return budget.Exceeded() ? 0 : cover.LargestShare();
}

PageTextSource JobPageRecognition::Choose(const PageTextFacts& facts) {
    // A page cut short by its own drawing is not drawn again for its picture.
    if (pageBudget_ && pageBudget_->Exceeded()) return PageTextSource::Own;
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

// What a reader made of a page: Tesseract's words and pictures, and the page's
// height in pixels; nothing when it could not be read (the reader did not start,
// the page was cut short or cancelled).
struct JobPageRecognition::Reading {
    std::unique_ptr<platform::RecognisedPage> page;
    int height = 0;
    bool leftTextOut = false;
};

struct JobPageRecognition::Reader {
    std::unique_ptr<PDFDoc> document;
    std::unique_ptr<platform::TextRecognizer> recognizer;

    Reading Read(int page, bool leaveTextOut, const std::atomic<int32_t>* cancel) {
        Reading reading;
        reading.leftTextOut = leaveTextOut;
        if (!document || !document->isOk() || !recognizer || !recognizer->Ready()) return reading;
        SplashColor paper = {255, 255, 255};
        SplashOutputDev splash(splashModeMono8, 4, false, paper);
        // The page's own text is in the XML already: only what its pictures show is read.
        splash.setSkipText(leaveTextOut, leaveTextOut);
        splash.startDoc(document.get());
        platform::DrawingBudget budget(cancel, kScanQuestions);
        document->displayPage(&splash, page, kRecognitionDpi, kRecognitionDpi, 0, false, true, false,
                              &platform::DrawingBudget::Spent, &budget);
        SplashBitmap* bitmap = splash.getBitmap();
        if (budget.Exceeded() || (cancel && *cancel) || !bitmap || bitmap->getWidth() < 1 || bitmap->getHeight() < 1)
            return reading;
        platform::GreyImage image;
        image.data = bitmap->getDataPtr();
        image.width = bitmap->getWidth();
        image.height = bitmap->getHeight();
        image.stride = static_cast<size_t>(bitmap->getRowSize());
        image.dpi = static_cast<int>(kRecognitionDpi);
        reading.page = std::make_unique<platform::RecognisedPage>(recognizer->Recognise(image, cancel));
        reading.height = image.height;
        return reading;
    }
};

struct JobPageRecognition::Ahead {
    std::future<Reading> reading;
    Reader* reader = nullptr;
};

std::unique_ptr<JobPageRecognition::Reader> JobPageRecognition::MakeReader() {
    if (recognizerFailed_) return nullptr;
    if (languages_.empty())
        languages_ = para_.ocrLanguages.empty() ? platform::DefaultOcrLanguages() : para_.ocrLanguages;
    auto reader = std::make_unique<Reader>();
    reader->recognizer = std::make_unique<platform::TextRecognizer>(languages_);
    if (!reader->recognizer->Ready()) {
        recognizerFailed_ = true;
        para_.AddNote("the text of scanned pages could not be recognised: " + reader->recognizer->Problem());
        return nullptr;
    }
    reader->document = openCopy_ ? openCopy_() : nullptr;
    return reader;
}

JobPageRecognition::Reader* JobPageRecognition::FreeReader() {
    for (auto& reader : aheadReaders_) {
        bool taken = false;
        for (const auto& [page, ahead] : ahead_) taken = taken || ahead.reader == reader.get();
        if (!taken) return reader.get();
    }
    // Made only when a document has scans to read ahead: each holds its language data.
    if (aheadReaders_.size() >= ReadersAhead()) return nullptr;
    std::unique_ptr<Reader> reader = MakeReader();
    if (!reader) return nullptr;
    aheadReaders_.push_back(std::move(reader));
    return aheadReaders_.back().get();
}

bool JobPageRecognition::LikelyScan(int page) {
    // Each recognised page looks at the pages after it again: a page is drawn
    // for this once.
    if (auto known = likelyScans_.find(page); known != likelyScans_.end()) return known->second;
    // Any text, a hidden layer too, makes the page one the text pass may not
    // recognise: reading it ahead would be work thrown away.
    bool anyText = false;
    const double share = LargestPictureShare(page, &anyText);
    return likelyScans_[page] = !anyText && share >= kScanShare;
}

void JobPageRecognition::ForgetBefore(int page) {
    for (auto it = ahead_.begin(); it != ahead_.end() && it->first < page;) {
        it->second.reading.wait();
        it = ahead_.erase(it);
    }
}

void JobPageRecognition::ReadAhead(int page) {
    PDFDoc* doc = Document();
    if (!doc || para_.cancelRequested != 0) return;
    const int last = std::min(page + static_cast<int>(ReadersAhead()), doc->getNumPages());
    for (int next = page + 1; next <= last; ++next) {
        if (ahead_.count(next) || !LikelyScan(next)) continue;
        Reader* reader = FreeReader();
        if (!reader) return;
        ahead_[next] = Ahead{std::async(std::launch::async, [reader, next, cancel = &para_.cancelRequested] {
                                 return reader->Read(next, false, cancel);
                             }),
                             reader};
    }
}

JobPageRecognition::~JobPageRecognition() {
    // The readers may still be reading ahead; they stop at the job's cancel or their page's end.
    for (auto& [page, ahead] : ahead_) ahead.reading.wait();
}

std::vector<RecognisedWord> JobPageRecognition::Recognise(int page) {
    std::vector<RecognisedWord> words;
    PDFDoc* doc = Document();
    if (!doc || page < 1 || page > doc->getNumPages() || para_.cancelRequested != 0) return words;
    if (!ownReader_) ownReader_ = MakeReader();
    if (!ownReader_) return words;
    para_.Log("Recognising text of page " + std::to_string(page) + "...");

    ForgetBefore(page);
    // The page itself goes to the readers when it is a scan: the text pass waits
    // for it while they read the pages after it.
    ReadAhead(page - 1);
    Reading reading;
    if (auto found = ahead_.find(page); found != ahead_.end()) {
        reading = found->second.reading.get();
        ahead_.erase(found);
    }
    ReadAhead(page);
    // Read ahead as a scan, a page with text of its own is read again without it.
    if (!reading.page || reading.leftTextOut != leaveTextOut_)
        reading = ownReader_->Read(page, leaveTextOut_, &para_.cancelRequested);
    if (!reading.page) return words;
    const platform::RecognisedPage& recognised = *reading.page;

    const double scale = kXmlPerInch / kRecognitionDpi;
    // Only a page whose picture is all it has gives up its picture for its words.
    if (!leaveTextOut_ && !recognised.words.empty()) {
        scans_.pages.insert(page);
        std::vector<pagegraphics::FootprintBox> regions;
        for (const platform::PixelBox& box : recognised.pictures)
            regions.push_back({box.left * scale, box.top * scale, box.right * scale, box.bottom * scale});
        KeepFigures(page, regions, reading.height * scale);
    }
    std::vector<int> lines;
    for (const platform::RecognisedWord& w : recognised.words) {
        lines.push_back(w.line);
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
    OneBlankBetweenWords(words, lines);
    wordsRecognised_ += static_cast<long>(recognised.words.size());
    ++pagesRecognised_;
    return words;
}

void JobPageRecognition::KeepFigures(int page, const std::vector<pagegraphics::FootprintBox>& regions,
                                     double pageHeight) {
    PDFDoc* doc = Document();
    if (!doc) return;
    for (const pagegraphics::FootprintBox& region : regions) {
        const double width = region.Width(), height = region.Height();
        if (width * height < kLeastFigureArea * kXmlPerInch * kXmlPerInch) continue;
        const double scale = kFigureDpi / kXmlPerInch;
        SplashColor paper = {255, 255, 255};
        SplashOutputDev splash(splashModeRGB8, 4, false, paper);
        splash.startDoc(doc);
        const int x = static_cast<int>(region.left * scale), y = static_cast<int>(region.top * scale);
        const int w = std::max(1, static_cast<int>(width * scale)), h = std::max(1, static_cast<int>(height * scale));
        platform::DrawingBudget budget(&para_.cancelRequested, kScanQuestions);
        doc->displayPageSlice(&splash, page, kFigureDpi, kFigureDpi, 0, false, true, false, x, y, w, h,
                              &platform::DrawingBudget::Spent, &budget);
        if (budget.Exceeded()) continue;
        SplashBitmap* bitmap = splash.getBitmap();
        if (!bitmap || bitmap->getWidth() != w || bitmap->getHeight() != h) continue;
        pagegraphics::PixelView pixels;
        pixels.data = bitmap->getDataPtr();
        pixels.stride = static_cast<size_t>(bitmap->getRowSize());
        pixels.width = w;
        pixels.height = h;
        std::unique_ptr<Picture> figure = pagegraphics::PlacedPicture(region, pageHeight, 0);
        if (pagegraphics::EncodeRendered(pixels, kFigureDpi, 6, *figure))
            scans_.figures[page].push_back(std::move(figure));
    }
}

std::string JobPageRecognition::Summary() const {
    if (pagesRecognised_ == 0) return {};
    char line[160];
    if (wordsRecognised_ == 0) {
        std::snprintf(line, sizeof line, "%d page%s without text %s searched for words; none were found",
                      pagesRecognised_, pagesRecognised_ == 1 ? "" : "s", pagesRecognised_ == 1 ? "was" : "were");
        return line;
    }
    std::snprintf(line, sizeof line, "%d page%s recognised as text (%ld words, mean confidence %.0f %%)",
                  pagesRecognised_, pagesRecognised_ == 1 ? " was" : "s were", wordsRecognised_,
                  confidenceSum_ / static_cast<double>(wordsRecognised_));
    return line;
}
