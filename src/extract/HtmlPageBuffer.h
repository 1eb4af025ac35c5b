#pragma once
// The runs, fonts and links of the page being rendered, and the writer of its
// part of the XML.
#include <cstdio>
#include <list>
#include <map>
#include <memory>
#include <string>

#include "extract/HtmlFontList.h"
#include "extract/HtmlLink.h"
#include "extract/HtmlTextRun.h"

class GfxState;
class XRef;

class HtmlPageBuffer {
public:
    // A character that starts further than this many font sizes beyond where the
    // previous one's advance ended (character spacing included) is taken for a
    // word gap: producers that place words by moving the text position instead of
    // drawing a blank would otherwise get their words glued together. A fifth of
    // the font size is well above kerning and tracking, and below the narrowest
    // blanks of common fonts (about a quarter).
    static constexpr double kGapFactor = 0.2;

    explicit HtmlPageBuffer(bool rawOrder = true);

    void reset();
    // The document's cross-reference table, for reading font descriptors.
    void setXRef(XRef* table) { xref = table; }
    void updateFont(GfxState* state);
    void beginRun(GfxState* state);
    void addChar(GfxState* state, double x, double y, double dx, double dy, const unsigned* u, int count);
    void endRun();
    void addLink(HtmlLink link) { links.add(std::move(link)); }

    void setPageGeometry(int width, int height, int hRes, int vRes, int rot);
    void resolveRuns();
    // The page's fontspec lines, margin line and text elements.
    std::string pageBody() const;
    void writePage(FILE* file, int pageNumber) const;

    const HtmlFontList& getFonts() const { return fonts; }
    const std::list<HtmlTextRun>& getRuns() const { return runs; }
    double getFontSize() const { return fontSize; }
    int getPageWidth() const { return pageWidth; }
    int getPageHeight() const { return pageHeight; }

private:
    int fontIndexFor(GfxState* state);

    double fontSize = 0;
    bool rawOrder;
    XRef* xref = nullptr;
    std::unique_ptr<HtmlTextRun> current;
    std::list<HtmlTextRun> runs;
    HtmlFontList fonts;
    int firstNewFont = 0;
    HtmlLinkList links;
    int pageWidth = 0, pageHeight = 0;
    int hResolution = 0, vResolution = 0;
    int rotation = 0;

    // Where the previous character of the current run ended its advance, in
    // device units; drives the gap rule.
    double expectedX = 0, expectedY = 0;

    // The last font lookup: most runs repeat the font of the run before.
    std::string lastFontName;
    int lastFontSize = 0;
    HtmlColor lastFontColor;
    int lastFontIndex = -1;
    // Bold and italic of each font object of the document: reading its descriptor
    // again at every change of font took as long as the rest of the extraction.
    std::map<std::pair<int, int>, HtmlFontTraits> fontTraits;
};
