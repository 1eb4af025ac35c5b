#pragma once
// The text extraction device: the PDF core renders every page onto it, and it
// writes the intermediate XML of the document, one page at a time.
#include <OutputDev.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "extract/HtmlPageBuffer.h"
#include "extract/PageRecognition.h"

class AnnotLink;
class GfxFont;
class Catalog;

class HtmlOutputDev : public OutputDev {
public:
    // fileName is the XML path without ".xml". A null information value is left out.
    HtmlOutputDev(const char* fileName, const char* author, const char* keywords, const char* subject,
                  const char* date, bool rawOrder);
    ~HtmlOutputDev() override;
    HtmlOutputDev(const HtmlOutputDev&) = delete;
    HtmlOutputDev& operator=(const HtmlOutputDev&) = delete;

    bool upsideDown() override { return true; }
    bool useDrawChar() override { return true; }
    bool useTilingPatternFill() override { return false; }
    bool useShadedFills(int) override { return false; }
    bool interpretType3Chars() override { return false; }
    bool needNonText() override { return false; }

    // Remembers the page so that its link annotations can be read before it ends.
    bool checkPageSlice(Page* page, double hDPI, double vDPI, int rotate, bool useMediaBox, bool crop, int sliceX,
                        int sliceY, int sliceW, int sliceH, bool printing, bool (*abortCheckCbk)(void*) = nullptr,
                        void* abortCheckCbkData = nullptr, bool (*annotDisplayDecideCbk)(Annot*, void*) = nullptr,
                        void* annotDisplayDecideCbkData = nullptr) override;
    void startPage(int pageNum, GfxState* state, XRef* xref) override;
    void endPage() override;

    void updateFont(GfxState* state) override;
    void updateTextMat(GfxState* state) override;
    void updateCTM(GfxState* state, double m11, double m12, double m21, double m22, double m31, double m32) override;
    // A run spans one whole text-showing operation (all strings of a TJ array),
    // so kerning between the strings does not cut words apart.
    void beginStringOp(GfxState* state) override;
    void endStringOp(GfxState* state) override;
    void drawChar(GfxState* state, double x, double y, double dx, double dy, double originX, double originY,
                  CharCode code, int nBytes, const Unicode* u, int uLen) override;
    void beginActualText(GfxState* state, const GooString* text) override;
    void endActualText(GfxState* state) override;

    // Adds the link's rectangle and target to the page's links.
    void drawLink(AnnotLink* link, Catalog* catalog);

    // Asked at the end of each page where its text comes from (borrowed); without
    // one, invisible text is left out.
    void SetPageRecognition(IPageRecognition* pageRecognition) { recognition = pageRecognition; }

    bool isOk() const { return ok; }
    const HtmlPageBuffer& pageBuffer() const { return *page; }

private:
    FILE* outputFile = nullptr;
    std::unique_ptr<HtmlPageBuffer> page;
    int pageNumber = 0;
    std::string docName;
    std::vector<std::pair<std::string, std::string>> metaList;
    bool ok = false;
    Page* pageBeingDrawn = nullptr;
    IPageRecognition* recognition = nullptr;

    // The page's invisible runs read or left out, recognised words added, as the recognition decides.
    void settlePageText();

    // What the codes of a simple font without a character map stand for, where its
    // glyph names say more than the PDF core read from them (0: nothing more).
    struct SymbolCodes {
        std::array<unsigned, 256> characters{};
        bool blackboard = false;
        bool any = false;
    };
    const SymbolCodes& symbolCodesOf(GfxFont& font);
    std::map<std::pair<int, int>, SymbolCodes> symbolCodes;
    SymbolCodes scratchCodes;
};
