// Rendering a page's dense drawings with Splash, the PDF core's own rasteriser:
// it reads the page already open in the pass, leaves the text out on request
// and draws shadings, patterns and soft masks as a viewer does.
#include "pagegraphics/DrawingPictures.h"

#include <PDFDoc.h>
#include <SplashOutputDev.h>
#include <splash/SplashBitmap.h>
#include <splash/SplashErrorCodes.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "pagegraphics/PageDrawings.h"
#include "pagegraphics/PictureText.h"
#include "platform/DrawingBudget.h"
#include "rtf/RecordedGraphics.h"

namespace pagegraphics {
namespace {

constexpr double kXmlPerInch = 108;
// Sharp at print size, and sharper still for a small drawing, which a reader enlarges.
constexpr double kLeastDpi = 150, kMostDpi = 300, kLongSidePixels = 1200;

double DrawingDpi(const FootprintBox& box) {
    const double inches = std::max(box.Width(), box.Height()) / kXmlPerInch;
    if (inches <= 0) return kMostDpi;
    return std::clamp(kLongSidePixels / inches, kLeastDpi, kMostDpi);
}

// Charts and diagrams are mostly flat colour: most pixels equal their left
// neighbour, and PNG keeps their edges sharp. Shadings and photographs vary
// from pixel to pixel and go as JPEG.
bool FewColours(SplashBitmap& bitmap) {
    const int w = bitmap.getWidth(), h = bitmap.getHeight(), row = bitmap.getRowSize();
    const unsigned char* data = bitmap.getDataPtr();
    long long same = 0, all = 0;
    for (int y = 0; y < h; ++y) {
        const unsigned char* p = data + static_cast<long long>(y) * row;
        for (int x = 1; x < w; ++x, ++all)
            if (p[3 * x] == p[3 * x - 3] && p[3 * x + 1] == p[3 * x - 2] && p[3 * x + 2] == p[3 * x - 1]) ++same;
    }
    return all == 0 || same * 10 >= all * 6;
}

class DrawingRenderer {
public:
    DrawingRenderer(PDFDoc& doc, int page, const std::atomic<int32_t>* cancel)
        : doc_(doc), page_(page), cancel_(cancel) {
        SplashColor paper = {255, 255, 255};
        splash_ = std::make_unique<SplashOutputDev>(splashModeRGB8, 4, false, paper);
        splash_->setSkipText(true, true);
        splash_->setVectorAntialias(true);
        splash_->startDoc(&doc_);
    }

    // Writes the page's area `box` as `stem`.png or `stem`.jpg; false when it could not.
    bool Render(const FootprintBox& box, const std::string& stem, std::string& path, bool& png) {
        const double dpi = DrawingDpi(box);
        const double scale = dpi / kXmlPerInch;
        const int x = static_cast<int>(std::floor(box.left * scale));
        const int y = static_cast<int>(std::floor(box.top * scale));
        const int w = std::max(1, static_cast<int>(std::ceil(box.right * scale)) - x);
        const int h = std::max(1, static_cast<int>(std::ceil(box.bottom * scale)) - y);
        platform::DrawingBudget budget(cancel_);
        doc_.displayPageSlice(splash_.get(), page_, dpi, dpi, 0, false, false, false, x, y, w, h,
                              &platform::DrawingBudget::Spent, &budget);
        SplashBitmap* bitmap = splash_->getBitmap();
        if (budget.Exceeded() || (cancel_ && *cancel_) || !bitmap || bitmap->getWidth() < 1) return false;
        png = FewColours(*bitmap);
        path = stem + (png ? ".png" : ".jpg");
        SplashBitmap::WriteImgParams params;
        params.jpegQuality = 90;
        return bitmap->writeImgFile(png ? splashFormatPng : splashFormatJpeg, path.c_str(), dpi, dpi, &params) ==
               splashOk;
    }

private:
    PDFDoc& doc_;
    int page_;
    const std::atomic<int32_t>* cancel_;
    std::unique_ptr<SplashOutputDev> splash_;
};

// The picture shows the drawing upright at its place on the page, in XML units.
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

}  // namespace

bool ReplaceDrawingsByPictures(PageGraphicsJob& job, int page, const PageFootprints& footprints,
                               GraphicsList& graphics) {
    std::vector<Drawing> drawings = PictureDrawings(footprints);
    if (drawings.empty() || !job.document) return true;
    std::unique_ptr<DrawingRenderer> renderer;
    // The pictures to go before each place of the list (the last place: after it).
    std::vector<std::vector<std::unique_ptr<Picture>>> before(graphics.size() + 1);
    bool allRendered = true;
    int number = 0;
    for (const Drawing& drawing : drawings) {
        FootprintBox box = drawing.box.Intersected({0, 0, footprints.pageWidth, footprints.pageHeight});
        if (box.Empty()) continue;
        ++number;
        std::unique_ptr<Picture> picture;
        if (!job.removeImages) {
            if (!renderer) renderer = std::make_unique<DrawingRenderer>(*job.document, page, job.cancel);
            std::string path;
            bool png = false;
            const std::string stem =
                job.workDir + "/" + job.baseName + "-drawing" + std::to_string(page) + "-" + std::to_string(number);
            picture = PlacedPicture(box, footprints.pageHeight, drawing.drawingOrder);
            if (!renderer->Render(box, stem, path, png) || !SetPictureFile(*picture, path, false)) {
                allRendered = false;
                if (job.Cancelled()) return true;
                continue;
            }
            picture->format = png ? PictureFormat::Png : PictureFormat::Jpeg;
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
