#pragma once
// The page-graphics device: the PDF core's PostScript device writing the
// pictures of one page, recording every picture and every stroke or fill of
// the page into the graphics list, in drawing order.
#include <PSOutputDev.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pagegraphics/PageFootprints.h"
#include "rtf/GraphicsList.h"

class PDFDoc;

namespace pagegraphics {

class SourcePictures;
struct SourceImage;

// Comment lines written around each recorded picture's drawing code, so the
// image filter pairs a cut-out with its entry by number, never by guessing.
inline constexpr const char* kPictureBegin = "%VellumorPictureBegin ";
inline constexpr const char* kPictureEnd = "%VellumorPictureEnd ";

// Counters of one page.
struct PageGraphicsCounts {
    int drawingOrder = 0;
    int shapes = 0;
    int images = 0;
};

// Holds the output file so that it is open before the PostScript device writes
// its prolog and closed only after the device has written its trailer.
struct PostScriptFile {
    explicit PostScriptFile(const std::string& path) : file(std::fopen(path.c_str(), "wb")) {}
    ~PostScriptFile() {
        if (file) std::fclose(file);
    }
    PostScriptFile(const PostScriptFile&) = delete;
    PostScriptFile& operator=(const PostScriptFile&) = delete;
    // Pushes what is buffered to the file, so that a full disk shows now.
    void Flush() {
        if (file && std::fflush(file) != 0) writeFailed = true;
    }
    FILE* file;
    bool writeFailed = false;
    // Only the drawing code of recorded pictures is ever read back from the
    // file; the rest of the page is left unwritten.
    bool inPicture = false;
};

// A path in device space, as one walk over its points finds it.
struct PathExtent {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool any = false;       // it has points
    bool straight = true;   // only horizontal and vertical straight segments
    int pieces = 1;         // its subpaths
};

class PagePostScriptDevice : private PostScriptFile, public PSOutputDev {
public:
    // Page `page` of `doc` into `path`, on paper of the given size in points.
    PagePostScriptDevice(const std::string& path, PDFDoc* doc, int page, int paperWidth, int paperHeight,
                         GraphicsList& graphics);
    ~PagePostScriptDevice() override;

    // The file is open and the PostScript device is ready.
    bool Ready() { return file != nullptr && isOk(); }
    using PostScriptFile::Flush;
    // False when writing the file failed somewhere (a full disk, for instance).
    bool WriteFailed() const { return writeFailed; }
    // Where the recorded entries lie, for grouping them into drawings.
    const PageFootprints& Footprints() const { return footprints_; }
    // Pictures are taken from the PDF by `source` where it can, and written as
    // PostScript for Ghostscript only where it cannot.
    void TakePicturesFrom(SourcePictures* source) { source_ = source; }

    void startPage(int pageNum, GfxState* state, XRef* xref) override;
    void endPage() override;
    void saveState(GfxState* state) override;
    void restoreState(GfxState* state) override;
    void stroke(GfxState* state) override;
    void fill(GfxState* state) override;
    void eoFill(GfxState* state) override;
    void clip(GfxState* state) override;
    void eoClip(GfxState* state) override;
    bool tilingPatternFill(GfxState* state, Gfx* gfx, Catalog* cat, GfxTilingPattern* tPat, const double* mat,
                           int x0, int y0, int x1, int y1, double xStep, double yStep) override;
    void beginTransparencyGroup(GfxState* state, const double* bbox, GfxColorSpace* blendingColorSpace,
                                bool isolated, bool knockout, bool forSoftMask) override;
    void endTransparencyGroup(GfxState* state) override;
    void setSoftMaskFromImageMask(GfxState* state, Object* ref, Stream* str, int width, int height, bool invert,
                                  bool inlineImg, double* baseMatrix) override;
    void unsetSoftMaskFromImageMask(GfxState* state, double* baseMatrix) override;
    void setSoftMask(GfxState* state, const double* bbox, bool alpha, Function* transferFunc,
                     GfxColor* backdropColor) override;
    void clearSoftMask(GfxState* state) override;
    // A shading is one painted area, recorded whole: cut into small fills it
    // made tens of thousands of shapes of a single surface.
    bool useShadedFills(int) override { return true; }
    bool functionShadedFill(GfxState* state, GfxFunctionShading*) override { return RecordPaintedArea(state); }
    bool axialShadedFill(GfxState* state, GfxAxialShading*, double, double) override {
        return RecordPaintedArea(state);
    }
    bool radialShadedFill(GfxState* state, GfxRadialShading*, double, double) override {
        return RecordPaintedArea(state);
    }
    bool gouraudTriangleShadedFill(GfxState* state, GfxGouraudTriangleShading*) override {
        return RecordPaintedArea(state);
    }
    bool patchMeshShadedFill(GfxState* state, GfxPatchMeshShading*) override { return RecordPaintedArea(state); }
    // The page's state is never written: the cut-outs bring their own (the
    // recorded colour and the placement), and writing every change of it for
    // nothing cost more than anything else the device does.
    void updateCTM(GfxState*, double, double, double, double, double, double) override {}
    void updateLineDash(GfxState*) override {}
    void updateFlatness(GfxState*) override {}
    void updateLineJoin(GfxState*) override {}
    void updateLineCap(GfxState*) override {}
    void updateMiterLimit(GfxState*) override {}
    void updateLineWidth(GfxState*) override {}
    void updateFillColor(GfxState*) override {}
    void updateStrokeColor(GfxState*) override {}
    void updateFont(GfxState*) override {}
    void updateTextMat(GfxState*) override {}
    void updateCharSpace(GfxState*) override {}
    void updateRender(GfxState*) override {}
    void updateRise(GfxState*) override {}
    void updateWordSpace(GfxState*) override {}
    void updateHorizScaling(GfxState*) override {}
    void updateTextPos(GfxState*) override {}
    void updateTextShift(GfxState*, double) override {}
    void drawImageMask(GfxState* state, Object* ref, Stream* str, int width, int height, bool invert,
                       bool interpolate, bool inlineImg) override;
    void drawImage(GfxState* state, Object* ref, Stream* str, int width, int height, GfxImageColorMap* colorMap,
                   bool interpolate, const int* maskColors, bool inlineImg) override;
    void drawMaskedImage(GfxState* state, Object* ref, Stream* str, int width, int height,
                         GfxImageColorMap* colorMap, bool interpolate, Stream* maskStr, int maskWidth,
                         int maskHeight, bool maskInvert, bool maskInterpolate) override;
    void drawSoftMaskedImage(GfxState* state, Object* ref, Stream* str, int width, int height,
                             GfxImageColorMap* colorMap, bool interpolate, Stream* maskStr, int maskWidth,
                             int maskHeight, GfxImageColorMap* maskColorMap, bool maskInterpolate) override;

private:
    static void Write(void* stream, const char* data, size_t length);
    // Recording happens only for what the page itself draws: not for pattern
    // cells or soft masks, nor for Type 3 glyph procedures, which the device
    // runs while it writes the document set-up, before the page starts.
    bool Recording() const { return onPage_ && hiddenDepth_ == 0; }
    void RecordShape(GfxState* state, const char* paintOperator);
    // The footprint of the path `path` gives, or of a picture when there is none.
    void RecordFootprint(GfxState* state, const PathExtent* path, bool filled);
    // The area the current clip leaves, in XML units.
    FootprintBox ClipBox(GfxState* state) const;
    bool RecordPaintedArea(GfxState* state);
    int ClipNumber(GfxState* state);
    Picture& AddPicture(GfxState* state, int width, int height);
    // Records a picture and writes the markers around its drawing code.
    int BeginPicture(GfxState* state, int width, int height);
    // Records the picture as `source_` makes it; false when it is left to the PostScript.
    bool DrawnFromSource(GfxState* state, const SourceImage& image);
    void EndPicture(int number);

    GraphicsList& graphics_;
    XRef* xref_;
    PageGraphicsCounts counts_;
    std::string clipText_, eoClipText_;
    bool onPage_ = false;
    int hiddenDepth_ = 0;
    std::vector<bool> groupHidden_;
    PageFootprints footprints_;
    std::map<std::string, int> clipNumbers_;
    // A soft mask lasts until the state it was set in is restored.
    bool softMasked_ = false;
    std::vector<bool> softMaskSaved_;
    SourcePictures* source_ = nullptr;
};

}  // namespace pagegraphics
