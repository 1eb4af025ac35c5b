// Rendering a page's dense drawings with Splash, the PDF core's own rasteriser:
// it reads the page already open in the pass, leaves the text out on request
// and draws shadings, patterns and soft masks as a viewer does.
#include "pagegraphics/DrawingPictures.h"

#include <PDFDoc.h>
#include <Page.h>
#include <SplashOutputDev.h>
#include <splash/SplashBitmap.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "pagegraphics/PageDrawings.h"
#include "pagegraphics/PictureEncode.h"
#include "platform/DrawingBudget.h"
#include "rtf/RecordedGraphics.h"

namespace pagegraphics {
namespace {

constexpr double kXmlPerInch = 108;
// Sharp at print size, and sharper still for a small drawing, which a reader
// enlarges. Rendering time grows with the pixels: a figure three inches wide or
// more gets the least, one an inch and a half wide the most.
constexpr double kLeastDpi = 150, kMostDpi = 300, kLongSidePixels = 450;
// The page is rendered once for all its drawings; past this many pixels its
// resolution comes down towards the least.
constexpr double kMostPixels = 12e6;

double DrawingDpi(const FootprintBox& box) {
    const double inches = std::max(box.Width(), box.Height()) / kXmlPerInch;
    if (inches <= 0) return kMostDpi;
    return std::clamp(kLongSidePixels / inches, kLeastDpi, kMostDpi);
}

// The drawings' part of the page, rendered once without the text: every
// rendering runs the whole page again, shadings and all.
class DrawingRenderer {
public:
    DrawingRenderer(PDFDoc& doc, int page, const std::atomic<int32_t>* cancel)
        : doc_(doc), page_(page), cancel_(cancel) {}

    // Renders `area` (XML units) at the resolution of its largest drawing.
    bool Render(const FootprintBox& area, const FootprintBox& largest) {
        dpi_ = DrawingDpi(largest);
        const double squareInches = area.Width() * area.Height() / (kXmlPerInch * kXmlPerInch);
        if (squareInches * dpi_ * dpi_ > kMostPixels) dpi_ = std::max(kLeastDpi, std::sqrt(kMostPixels / squareInches));
        const double scale = dpi_ / kXmlPerInch;
        x_ = static_cast<int>(std::floor(area.left * scale));
        y_ = static_cast<int>(std::floor(area.top * scale));
        const int w = std::max(1, static_cast<int>(std::ceil(area.right * scale)) - x_);
        const int h = std::max(1, static_cast<int>(std::ceil(area.bottom * scale)) - y_);
        SplashColor paper = {255, 255, 255};
        splash_ = std::make_unique<SplashOutputDev>(splashModeRGB8, 1, false, paper);
        splash_->setSkipText(true, true);
        splash_->setVectorAntialias(true);
        splash_->startDoc(&doc_);
        // The text is left out, and its fonts cost each rendering as much as the
        // shapes of a page: the document the drawings are rendered from is never
        // read for its text, so its page forgets them.
        if (Page* p = doc_.getPage(page_))
            if (Dict* resources = p->getResourceDict()) resources->remove("Font");
        platform::DrawingBudget budget(cancel_);
        doc_.displayPageSlice(splash_.get(), page_, dpi_, dpi_, 0, false, false, false, x_, y_, w, h,
                              &platform::DrawingBudget::Spent, &budget);
        SplashBitmap* bitmap = splash_->getBitmap();
        return !budget.Exceeded() && !(cancel_ && *cancel_) && bitmap && bitmap->getWidth() == w &&
               bitmap->getHeight() == h;
    }

    // The rendered `box` as a PNG where its colours are flat, a JPEG where they vary.
    bool Encode(const FootprintBox& box, Picture& picture) {
        SplashBitmap* bitmap = splash_ ? splash_->getBitmap() : nullptr;
        if (!bitmap) return false;
        const double scale = dpi_ / kXmlPerInch;
        const int x = std::max(0, static_cast<int>(std::floor(box.left * scale)) - x_);
        const int y = std::max(0, static_cast<int>(std::floor(box.top * scale)) - y_);
        PixelView pixels;
        pixels.width = std::min(bitmap->getWidth(), static_cast<int>(std::ceil(box.right * scale)) - x_) - x;
        pixels.height = std::min(bitmap->getHeight(), static_cast<int>(std::ceil(box.bottom * scale)) - y_) - y;
        if (pixels.width < 1 || pixels.height < 1) return false;
        pixels.stride = static_cast<size_t>(bitmap->getRowSize());
        pixels.data = bitmap->getDataPtr() + static_cast<size_t>(y) * pixels.stride + 3 * static_cast<size_t>(x);
        return EncodeRendered(pixels, dpi_, 1, picture);
    }

private:
    PDFDoc& doc_;
    int page_;
    const std::atomic<int32_t>* cancel_;
    std::unique_ptr<SplashOutputDev> splash_;
    double dpi_ = kLeastDpi;
    int x_ = 0, y_ = 0;
};


}  // namespace

std::unique_ptr<Picture> PlacedPicture(const FootprintBox& box, double pageHeight, int drawingOrder) {
    auto picture = std::make_unique<Picture>();
    picture->placement = PicturePlacement::Upright;
    picture->scaleA = static_cast<float>(box.Width());
    picture->scaleD = static_cast<float>(box.Height());
    picture->posX = box.left;
    picture->posY = pageHeight - box.bottom;
    picture->drawingOrder = drawingOrder;
    picture->itemNumber = -1;  // no picture of the PDF
    return picture;
}

bool ReplaceDrawingsByPictures(PageGraphicsJob& job, PDFDoc& doc, int page, const PageFootprints& footprints,
                               GraphicsList& graphics) {
    std::vector<Drawing> drawings = PictureDrawings(footprints);
    if (drawings.empty()) return true;
    const FootprintBox pageBox{0, 0, footprints.pageWidth, footprints.pageHeight};
    FootprintBox area, largest;
    for (Drawing& drawing : drawings) {
        drawing.box = drawing.box.Intersected(pageBox);
        area.Add(drawing.box);
        if (drawing.box.Width() * drawing.box.Height() > largest.Width() * largest.Height()) largest = drawing.box;
    }
    // Drawings far apart (a figure at the top, another at the foot) are rendered
    // one by one: the page between them would cost more pixels than running the
    // page again.
    double drawingsArea = 0;
    for (const Drawing& drawing : drawings) drawingsArea += drawing.box.Width() * drawing.box.Height();
    const bool oneByOne = drawings.size() > 1 && drawingsArea * 2 < area.Width() * area.Height();
    DrawingRenderer renderer(doc, page, job.cancel);
    const bool rendered =
        job.removeImages || area.Empty() || oneByOne || renderer.Render(area, largest);
    if (job.Cancelled()) return true;
    // The pictures to go before each place of the list (the last place: after it).
    std::vector<std::vector<std::unique_ptr<Picture>>> before(graphics.size() + 1);
    bool allRendered = true;
    for (const Drawing& drawing : drawings) {
        const FootprintBox& box = drawing.box;
        if (box.Empty()) continue;
        std::unique_ptr<Picture> picture;
        if (!job.removeImages) {
            picture = PlacedPicture(box, footprints.pageHeight, drawing.drawingOrder);
            const bool drawn = oneByOne ? renderer.Render(box, box) && !job.Cancelled() : rendered;
            if (!drawn || !renderer.Encode(box, *picture)) {
                allRendered = false;
                continue;
            }
        }
        for (size_t i : drawing.footprints) {
            const size_t entry = footprints.shapes[i].entry;
            if (entry < graphics.size()) graphics[entry].reset();
        }
        // Whatever else lies wholly inside the box, the picture already shows.
        for (const ShapeFootprint& s : footprints.shapes)
            if (s.entry < graphics.size() && !s.box.Empty() && box.Contains(s.box)) graphics[s.entry].reset();
        if (picture) before[std::min(drawing.firstEntry, graphics.size())].push_back(std::move(picture));
    }
    GraphicsList kept;
    kept.reserve(graphics.size());
    for (size_t i = 0; i <= graphics.size(); ++i) {
        for (auto& picture : before[i]) kept.push_back(std::move(picture));
        if (i < graphics.size() && graphics[i]) kept.push_back(std::move(graphics[i]));
    }
    graphics = std::move(kept);
    return allRendered;
}

}  // namespace pagegraphics
