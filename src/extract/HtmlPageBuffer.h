#pragma once
// The runs, fonts and links of the page being rendered, and the writer of its
// part of the XML.
#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "extract/HtmlFontList.h"
#include "extract/HtmlLink.h"
#include "extract/HtmlTextRun.h"
#include "extract/PageRecognition.h"

class GfxFont;
class GfxState;
class XRef;

// One glyph of the operation being drawn, in device units.
struct HtmlGlyph {
    // Its characters: textCount of the operation's characters from textStart.
    uint32_t textStart = 0, textCount = 0;
    double x = 0, y = 0;  // where the glyph starts
    double w = 0, h = 0;  // its advance without character spacing
    double gap = 0;       // along the writing direction, from where the previous glyph's advance ended
    int direction = 1;
    bool blank = false;
};

// What a text-showing operation keeps while its glyphs arrive.
struct HtmlOperation {
    HtmlTextRun::TextState textState;
    double yMin = 0, yMax = 0;
    double originY = 0;  // where the operation starts; a word's box moves with its first glyph
    int fontIndex = 0;
    bool vertical = false;
    double size = 0;
    // Character spacing wider than an em stands for the gaps between words or cells
    // (as PostScript distillers write them), not for letter spacing.
    bool spacingIsGap = false;
    bool hidden = false;  // drawn in render mode 3 or 7
    std::vector<HtmlGlyph> glyphs;
    std::vector<unsigned> characters;
    bool open = false;

    // The glyphs' storage is kept from one operation to the next.
    void Restart() {
        glyphs.clear();
        characters.clear();
        open = true;
    }
    void Add(HtmlGlyph g, const unsigned* text, size_t count) {
        g.textStart = static_cast<uint32_t>(characters.size());
        g.textCount = static_cast<uint32_t>(count);
        characters.insert(characters.end(), text, text + count);
        glyphs.push_back(g);
    }
};

// The replacement text of an open marked-content span, and the box and first
// operation of the glyphs it covers.
struct HtmlActualText {
    std::vector<unsigned> text;
    HtmlOperation first;  // its state is that of the first covered glyph
    double xMin = 0, xMax = 0;
    bool drew = false;
};

class HtmlPageBuffer {
public:
    explicit HtmlPageBuffer(bool rawOrder = true);

    void reset();
    // The document's cross-reference table, for reading font descriptors.
    void setXRef(XRef* table) { xref = table; }
    void updateFont(GfxState* state);
    // A text-showing operation starts and ends: its glyphs are cut into words
    // only when the whole operation is known, since its letter gaps set the measure.
    void beginRun(GfxState* state);
    void addChar(GfxState* state, double x, double y, double dx, double dy, const unsigned* u, int count);
    void endRun();
    // Marked content whose text replaces the glyphs it draws (an empty text removes them).
    void beginActualText(GfxState* state, std::vector<unsigned> text);
    void endActualText();
    void addLink(HtmlLink link) { links.add(std::move(link)); }

    void setPageGeometry(int width, int height, int hRes, int vRes, int rot);
    // What the page drew of text, visible and invisible, before the invisible runs are settled.
    PageTextFacts textFacts(int pageNumber) const;
    // The page's invisible runs become ordinary text (a scan's recognised layer), or are left out.
    void settleHiddenRuns(bool readAsText);
    // A word that the content stream does not draw (recognised from the page's picture),
    // as a run of its own: its font made from a name and its size on the page, in black;
    // its box made from the baseline as a drawn run's is. Blanks in it cut it as they cut drawn text.
    void addPlacedWord(const std::string& fontName, HtmlFontClass faceClass, double size, double left,
                       double right, double baseline, const std::vector<unsigned>& text);
    void resolveRuns();
    // The page's fontspec lines, margin line and text elements.
    std::string pageBody() const;
    void writePage(FILE* file, int pageNumber) const;

    const HtmlFontList& getFonts() const { return fonts; }
    const std::list<HtmlTextRun>& getRuns() const { return runs; }
    // The size of the current font's glyphs on the page, in device units.
    double getFontSize() const { return fontSize; }
    int getPageWidth() const { return pageWidth; }
    int getPageHeight() const { return pageHeight; }

private:
    using Glyph = HtmlGlyph;
    using Operation = HtmlOperation;

    // The integer size of a font record for glyphs of this size on the page.
    int recordSize(double sizeOnPage) const;
    int fontIndexFor(GfxState* state);
    // The vertical extent of an operation's runs from its baseline and the font's
    // ascent and descent (fractions of the em, descent negative).
    static void SetBox(Operation& op, double baseline, double size, double ascent, double descent);
    // What a font without metrics reaches above and below the baseline, in em.
    static constexpr double kDefaultAscent = 0.95, kDefaultDescent = -0.35;
    void startOperation(GfxState* state);
    // The operation's glyphs as runs: cut at blanks and at word gaps.
    void cutOperation(Operation& op);
    void emitRun(const Operation& op, size_t first, size_t last, bool startsWord);
    // The same word drawn again over itself (fake bold) is kept once, in bold.
    void mergeOverprints();
    // A negation slash drawn over a relation becomes the negated relation.
    void combineNegations();
    // An accent drawn as a glyph of its own over a letter becomes part of the letter.
    void combineAccents();
    // A word break stays a gap when the XML's whole units round it away.
    void keepBreaksVisible();

    double fontSize = 0;
    bool rawOrder;
    XRef* xref = nullptr;
    Operation current;
    // The characters of the glyph being added (a ligature gives several).
    std::vector<unsigned> glyphText;
    // The gaps of the operation being cut, kept from one to the next.
    std::vector<double> gapScratch;
    std::list<HtmlTextRun> runs;
    HtmlFontList fonts;
    int firstNewFont = 0;
    HtmlLinkList links;
    int pageWidth = 0, pageHeight = 0;
    int hResolution = 0, vResolution = 0;
    int rotation = 0;

    // Where the previous glyph of the current operation ended its advance, in
    // device units; drives the gap rule.
    double expectedX = 0, expectedY = 0;

    std::optional<HtmlActualText> actualText;

    // The last font lookup: most runs repeat the font of the run before.
    std::string lastFontName;
    int lastFontSize = 0;
    HtmlColor lastFontColor;
    bool lastStrokedBold = false;
    int lastFontIndex = -1;
    // Bold, italic and the kind of type of each font object of the document: reading
    // its descriptor again at every change of font took as long as the rest of the
    // extraction, and its embedded program is larger still.
    struct FontFacts {
        HtmlFontTraits traits;
        HtmlFontClass faceClass;
    };
    FontFacts FactsOf(GfxFont& font);
    std::map<std::pair<int, int>, FontFacts> fontFacts;
};
