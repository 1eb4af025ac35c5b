// Recording the graphics of a page while the PostScript device writes it.
#include "pagegraphics/PagePostScriptDevice.h"

#include <Array.h>
#include <GfxState.h>
#include <PDFDoc.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "pagegraphics/GraphicsStateText.h"
#include "pagegraphics/SourcePictures.h"
#include "rtf/RecordedGraphics.h"

namespace pagegraphics {

namespace {
char kTitle[] = "Vellumor page";

// The device writes an ICC colour space as a CIE space made from the profile;
// Ghostscript rejects that when the profile does not match the picture (a
// colour profile on a grey picture, as some producers write). The alternate
// device space of the same components draws the picture everywhere.
std::unique_ptr<GfxImageColorMap> DeviceColourMap(GfxImageColorMap* map, XRef* xref) {
    if (!map || !map->getColorSpace() || map->getColorSpace()->getMode() != csICCBased) return nullptr;
    GfxColorSpace* alternate = static_cast<GfxICCBasedColorSpace*>(map->getColorSpace())->getAlt();
    if (!alternate || alternate->getNComps() != map->getNumPixelComps()) return nullptr;
    Object decode(new Array(xref));
    for (int i = 0; i < map->getNumPixelComps(); ++i) {
        decode.arrayAdd(Object(map->getDecodeLow(i)));
        decode.arrayAdd(Object(map->getDecodeHigh(i)));
    }
    auto device = std::make_unique<GfxImageColorMap>(map->getBits(), &decode, alternate->copy());
    if (!device->isOk()) return nullptr;
    return device;
}

}  // namespace

PagePostScriptDevice::PagePostScriptDevice(const std::string& path, PDFDoc* doc, int page, int paperWidth,
                                           int paperHeight, GraphicsList& graphics)
    : PostScriptFile(path),
      PSOutputDev(&PagePostScriptDevice::Write, static_cast<PostScriptFile*>(this), kTitle, doc, std::vector<int>{page},
                  psModePS, paperWidth, paperHeight, false, false, 0, 0, 0, 0,
                  // A rasterized page would carry no pictures and no paths to record.
                  psNeverRasterize,
                  // No document prolog and set-up: the cut-outs bring their own
                  // from the template, and the set-up would embed every font of
                  // the page, for text that is never drawn (most of the time a
                  // text job spends on page graphics).
                  true),
      graphics_(graphics),
      xref_(doc ? doc->getXRef() : nullptr) {
    setDisplayText(false);
}

PagePostScriptDevice::~PagePostScriptDevice() = default;

void PagePostScriptDevice::Write(void* stream, const char* data, size_t length) {
    auto* out = static_cast<PostScriptFile*>(stream);
    if (!out->file || !out->inPicture) return;
    if (std::fwrite(data, 1, length, out->file) != length) out->writeFailed = true;
}

void PagePostScriptDevice::startPage(int pageNum, GfxState* state, XRef* xref) {
    PSOutputDev::startPage(pageNum, state, xref);
    onPage_ = true;
    footprints_.pageWidth = state->getPageWidth();
    footprints_.pageHeight = state->getPageHeight();
}

void PagePostScriptDevice::endPage() {
    onPage_ = false;
    PSOutputDev::endPage();
}

void PagePostScriptDevice::saveState(GfxState* state) {
    PSOutputDev::saveState(state);
    softMaskSaved_.push_back(softMasked_);
}

void PagePostScriptDevice::restoreState(GfxState* state) {
    PSOutputDev::restoreState(state);
    clipText_.clear();
    eoClipText_.clear();
    if (!softMaskSaved_.empty()) {
        softMasked_ = softMaskSaved_.back();
        softMaskSaved_.pop_back();
    }
}

FootprintBox PagePostScriptDevice::ClipBox(GfxState* state) const {
    double x0, y0, x1, y1;
    state->getClipBBox(&x0, &y0, &x1, &y1);
    const double h = footprints_.pageHeight;
    return {x0, h - y1, x1, h - y0};
}

// Clips are told apart by their path: the same clip set again for each piece of
// a drawing still holds one drawing. A clip of the whole page holds nothing together.
int PagePostScriptDevice::ClipNumber(GfxState* state) {
    if (clipText_.empty() && eoClipText_.empty()) return -1;
    FootprintBox clip = ClipBox(state);
    if (clip.Width() * clip.Height() >= 0.8 * footprints_.pageWidth * footprints_.pageHeight) return -1;
    auto [it, added] = clipNumbers_.emplace(clipText_ + "|" + eoClipText_, static_cast<int>(clipNumbers_.size()));
    return it->second;
}

namespace {

PathExtent PathExtentOf(GfxState* state) {
    PathExtent extent;
    const GfxPath* path = state->getPath();
    if (!path) return extent;
    extent.pieces = std::max(1, path->getNumSubpaths());
    for (int i = 0; i < path->getNumSubpaths(); ++i) {
        const GfxSubpath* sub = path->getSubpath(i);
        double px = 0, py = 0;
        for (int j = 0; j < sub->getNumPoints(); ++j) {
            double x, y;
            state->transform(sub->getX(j), sub->getY(j), &x, &y);
            if (sub->getCurve(j)) extent.straight = false;
            if (j > 0 && std::fabs(x - px) > 0.05 && std::fabs(y - py) > 0.05) extent.straight = false;
            px = x;
            py = y;
            if (!extent.any) {
                extent.xMin = extent.xMax = x;
                extent.yMin = extent.yMax = y;
                extent.any = true;
            }
            extent.xMin = std::min(extent.xMin, x);
            extent.xMax = std::max(extent.xMax, x);
            extent.yMin = std::min(extent.yMin, y);
            extent.yMax = std::max(extent.yMax, y);
        }
    }
    return extent;
}

}  // namespace

void PagePostScriptDevice::RecordFootprint(GfxState* state, const PathExtent* path, bool filled) {
    ShapeFootprint footprint;
    footprint.entry = graphics_.size();
    footprint.drawingOrder = counts_.drawingOrder;
    footprint.picture = path == nullptr;
    footprint.filled = filled;
    footprint.softMasked = softMasked_;
    footprint.clip = ClipNumber(state);
    const double h = footprints_.pageHeight;
    FootprintBox box;
    bool straight = false;
    if (!path) {
        const FootprintBox square = UnitSquareBox(state->getCTM());
        box = {square.left, h - square.bottom, square.right, h - square.top};
    } else {
        footprint.pieces = path->pieces;
        straight = path->straight;
        if (path->any) box = {path->xMin, h - path->yMax, path->xMax, h - path->yMin};
        if (!filled) {
            // A stroke reaches half its width beyond the path.
            const double half = state->getTransformedLineWidth() / 2;
            box = {box.left - half, box.top - half, box.right + half, box.bottom + half};
        }
    }
    // A hairline has no area, yet it is drawn.
    if (box.right - box.left < 0.5) box.right = box.left + 0.5;
    if (box.bottom - box.top < 0.5) box.bottom = box.top + 0.5;
    footprint.axisAligned = straight;
    const FootprintBox clip = ClipBox(state);
    // A point of overreach is a stroke's end, not a cut.
    constexpr double kCut = 1.5;
    footprint.cutByClip = footprint.clip >= 0 && (box.left < clip.left - kCut || box.top < clip.top - kCut ||
                                                  box.right > clip.right + kCut || box.bottom > clip.bottom + kCut);
    footprint.box = box.Intersected(clip);
    footprints_.shapes.push_back(footprint);
}

bool PagePostScriptDevice::RecordPaintedArea(GfxState* state) {
    if (Recording()) footprints_.paintedAreas.push_back({graphics_.size(), counts_.drawingOrder++, ClipBox(state)});
    return true;
}

void PagePostScriptDevice::setSoftMask(GfxState* state, const double* bbox, bool alpha, Function* transferFunc,
                                       GfxColor* backdropColor) {
    PSOutputDev::setSoftMask(state, bbox, alpha, transferFunc, backdropColor);
    softMasked_ = true;
}

void PagePostScriptDevice::clearSoftMask(GfxState* state) {
    PSOutputDev::clearSoftMask(state);
    softMasked_ = false;
}

namespace {

// Whether any of the path can show inside the clip in force. Both boxes are
// taken wide (a curve within its control points, a stroke its full width
// around its path), so only what surely lies outside the clip is left out:
// crop marks outside a page's clip, for instance, which must not print on it.
bool ShowsInsideClip(GfxState* state, const PathExtent& path, bool stroked) {
    // A path without points draws nothing; it is left to the shape writer as before.
    if (!path.any) return state->getPath() != nullptr;
    double xMin = path.xMin, yMin = path.yMin, xMax = path.xMax, yMax = path.yMax;
    if (stroked) {
        // Miter joins reach beyond half the width; the full width covers common limits.
        const double reach = std::max(state->transformWidth(state->getLineWidth()), 1.0);
        xMin -= reach;
        yMin -= reach;
        xMax += reach;
        yMax += reach;
    }
    double clipXMin, clipYMin, clipXMax, clipYMax;
    state->getClipBBox(&clipXMin, &clipYMin, &clipXMax, &clipYMax);
    return xMax >= clipXMin && xMin <= clipXMax && yMax >= clipYMin && yMin <= clipYMax;
}

}  // namespace

void PagePostScriptDevice::RecordShape(GfxState* state, const char* paintOperator) {
    if (!Recording()) return;
    // A path partly inside keeps its whole geometry: the shapes have no clip
    // of their own, and cutting curves and closed outlines at the clip's edge
    // would change what stays inside.
    // One walk over the path serves the clip test and the footprint.
    const PathExtent path = PathExtentOf(state);
    if (!ShowsInsideClip(state, path, paintOperator[0] == 'S')) return;
    auto shape = std::make_unique<VectorShape>();
    std::string text;
    if (!clipText_.empty()) text += clipText_ + "W\n";
    if (!eoClipText_.empty()) text += eoClipText_ + "W*\n";
    text += LineStateText(state);
    text += FillColourText(state);
    text += StrokeColourText(state);
    text += PathText(state->getPath());
    text += paintOperator;
    shape->psText = std::move(text);
    shape->PrepareText();
    RecordFootprint(state, &path, paintOperator[0] == 'f');
    shape->drawingOrder = counts_.drawingOrder++;
    shape->itemNumber = counts_.shapes++;
    graphics_.push_back(std::move(shape));
}

// Paths and clips are recorded, not written: only pictures are read back from
// the PostScript, and writing tens of thousands of paths is most of the pass.
void PagePostScriptDevice::stroke(GfxState* state) {
    RecordShape(state, "S\n");
}

void PagePostScriptDevice::fill(GfxState* state) {
    RecordShape(state, "f\n");
}

void PagePostScriptDevice::eoFill(GfxState* state) {
    RecordShape(state, "f*\n");
}

void PagePostScriptDevice::clip(GfxState* state) {
    clipText_ = PathText(state->getPath());
}

void PagePostScriptDevice::eoClip(GfxState* state) {
    eoClipText_ = PathText(state->getPath());
}

bool PagePostScriptDevice::tilingPatternFill(GfxState* state, Gfx* gfx, Catalog* cat, GfxTilingPattern* tPat,
                                             const double* mat, int x0, int y0, int x1, int y1, double xStep,
                                             double yStep) {
    RecordPaintedArea(state);
    ++hiddenDepth_;
    bool done = PSOutputDev::tilingPatternFill(state, gfx, cat, tPat, mat, x0, y0, x1, y1, xStep, yStep);
    --hiddenDepth_;
    return done;
}

void PagePostScriptDevice::beginTransparencyGroup(GfxState* state, const double* bbox,
                                                  GfxColorSpace* blendingColorSpace, bool isolated, bool knockout,
                                                  bool forSoftMask) {
    groupHidden_.push_back(forSoftMask);
    if (forSoftMask) ++hiddenDepth_;
    PSOutputDev::beginTransparencyGroup(state, bbox, blendingColorSpace, isolated, knockout, forSoftMask);
}

void PagePostScriptDevice::endTransparencyGroup(GfxState* state) {
    PSOutputDev::endTransparencyGroup(state);
    if (groupHidden_.empty()) return;
    if (groupHidden_.back()) --hiddenDepth_;
    groupHidden_.pop_back();
}

void PagePostScriptDevice::setSoftMaskFromImageMask(GfxState* state, Object* ref, Stream* str, int width,
                                                    int height, bool invert, bool inlineImg, double* baseMatrix) {
    ++hiddenDepth_;
    PSOutputDev::setSoftMaskFromImageMask(state, ref, str, width, height, invert, inlineImg, baseMatrix);
}

void PagePostScriptDevice::unsetSoftMaskFromImageMask(GfxState* state, double* baseMatrix) {
    PSOutputDev::unsetSoftMaskFromImageMask(state, baseMatrix);
    if (hiddenDepth_ > 0) --hiddenDepth_;
}

Picture& PagePostScriptDevice::AddPicture(GfxState* state, int width, int height) {
    RecordFootprint(state, nullptr, true);
    auto picture = std::make_unique<Picture>();
    picture->matrixText = MatrixText(state->getCTM());
    picture->stateText = FillColourText(state);
    picture->pixelWidth = width;
    picture->pixelHeight = height;
    picture->drawingOrder = counts_.drawingOrder++;
    picture->itemNumber = counts_.images++;
    Picture& added = *picture;
    graphics_.push_back(std::move(picture));
    return added;
}

int PagePostScriptDevice::BeginPicture(GfxState* state, int width, int height) {
    if (!Recording()) return -1;
    const int number = AddPicture(state, width, height).ImageNumber();
    inPicture = true;
    std::string mark = std::string("\n") + kPictureBegin + std::to_string(number) + "\n";
    Write(static_cast<PostScriptFile*>(this), mark.data(), mark.size());
    return number;
}

bool PagePostScriptDevice::DrawnFromSource(GfxState* state, const SourceImage& image) {
    PictureFrame frame;
    if (!source_ || !Recording() || !FrameOf(state->getCTM(), frame) || !SourcePictures::Takes(image)) return false;
    const EncodedPicture made = source_->Take(image, frame);
    // The PostScript reads the picture again from its start, an inline one too:
    // the PDF core keeps its data for a second reading.
    if (!made.data) return false;
    Picture& picture = AddPicture(state, image.width, image.height);
    picture.data = made.data;
    picture.format = made.format;
    picture.placement = PicturePlacement::Upright;
    picture.posX = frame.left;
    picture.posY = frame.bottom;
    picture.scaleA = static_cast<float>(frame.width);
    picture.scaleD = static_cast<float>(frame.height);
    return true;
}

void PagePostScriptDevice::EndPicture(int number) {
    if (number < 0) return;
    std::string mark = std::string("\n") + kPictureEnd + std::to_string(number) + "\n";
    Write(static_cast<PostScriptFile*>(this), mark.data(), mark.size());
    inPicture = false;
}

void PagePostScriptDevice::drawImageMask(GfxState* state, Object* ref, Stream* str, int width, int height,
                                         bool invert, bool interpolate, bool inlineImg) {
    // A stencil painted with a pattern has no one colour to take.
    if (state->getFillColorSpace()->getMode() != csPattern) {
        SourceImage image{.ref = ref, .str = str, .width = width, .height = height, .inlineImage = inlineImg};
        image.stencil = true;
        image.invert = invert;
        state->getFillRGB(&image.fill);
        if (DrawnFromSource(state, image)) return;
    }
    int number = BeginPicture(state, width, height);
    PSOutputDev::drawImageMask(state, ref, str, width, height, invert, interpolate, inlineImg);
    EndPicture(number);
}

void PagePostScriptDevice::drawImage(GfxState* state, Object* ref, Stream* str, int width, int height,
                                     GfxImageColorMap* colorMap, bool interpolate, const int* maskColors,
                                     bool inlineImg) {
    if (DrawnFromSource(state, {.ref = ref, .str = str, .width = width, .height = height, .colorMap = colorMap,
                                .inlineImage = inlineImg, .colourKey = maskColors}))
        return;
    int number = BeginPicture(state, width, height);
    std::unique_ptr<GfxImageColorMap> device = DeviceColourMap(colorMap, xref_);
    PSOutputDev::drawImage(state, ref, str, width, height, device ? device.get() : colorMap, interpolate, maskColors,
                           inlineImg);
    EndPicture(number);
}

void PagePostScriptDevice::drawMaskedImage(GfxState* state, Object* ref, Stream* str, int width, int height,
                                           GfxImageColorMap* colorMap, bool interpolate, Stream* maskStr,
                                           int maskWidth, int maskHeight, bool maskInvert, bool maskInterpolate) {
    if (DrawnFromSource(state, {.ref = ref, .str = str, .width = width, .height = height, .colorMap = colorMap,
                                .maskStr = maskStr, .maskWidth = maskWidth, .maskHeight = maskHeight,
                                .maskInvert = maskInvert}))
        return;
    int number = BeginPicture(state, width, height);
    std::unique_ptr<GfxImageColorMap> device = DeviceColourMap(colorMap, xref_);
    PSOutputDev::drawMaskedImage(state, ref, str, width, height, device ? device.get() : colorMap, interpolate, maskStr,
                                 maskWidth, maskHeight, maskInvert, maskInterpolate);
    EndPicture(number);
}

void PagePostScriptDevice::drawSoftMaskedImage(GfxState* state, Object* ref, Stream* str, int width, int height,
                                               GfxImageColorMap* colorMap, bool interpolate, Stream* maskStr,
                                               int maskWidth, int maskHeight, GfxImageColorMap* maskColorMap,
                                               bool /*maskInterpolate*/) {
    if (DrawnFromSource(state, {.ref = ref, .str = str, .width = width, .height = height, .colorMap = colorMap,
                                .maskStr = maskStr, .maskWidth = maskWidth, .maskHeight = maskHeight,
                                .maskColorMap = maskColorMap}))
        return;
    // PostScript has no soft masks: the picture is drawn whole, as before.
    drawImage(state, ref, str, width, height, colorMap, interpolate, nullptr, false);
}

}  // namespace pagegraphics
