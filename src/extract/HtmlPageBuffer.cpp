#include "extract/HtmlPageBuffer.h"

#include <GfxFont.h>
#include <GfxState.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "extract/EmbeddedFont.h"
#include "extract/WordBreak.h"
#include "extract/XmlValueFormat.h"

namespace {

double Zeroed(double v) { return (v > -0.001 && v < 0.001) ? 0.0 : v; }

// 1 left to right, 2 right to left or upside down, 3 and 4 a quarter turn
// clockwise and counter-clockwise.
int DirectionOf(unsigned u, GfxState* state) {
    if (HtmlTextRun::RightToLeftScript(u)) return 2;
    const double* tm = state->getTextMat();
    double a = Zeroed(tm[0]), b = Zeroed(tm[1]), c = Zeroed(tm[2]), d = Zeroed(tm[3]);
    if (b > 0 && c < 0) return 4;
    if (b < 0 && c > 0) return 3;
    if (a < 0 && d < 0) return 2;
    // The page matrix is in device space, whose y runs down the page.
    const double* ctm = state->getCTM();
    a = Zeroed(ctm[0]), b = Zeroed(ctm[1]), c = Zeroed(ctm[2]), d = Zeroed(ctm[3]);
    if (a == 0 && d == 0 && b < 0 && c < 0) return 4;
    // On a page the viewer turns by its rotation, the page's own turn is not the
    // text's: only a page drawn upright says the content turned its label down.
    if (a == 0 && d == 0 && b > 0 && c > 0 && state->getRotate() == 0) return 3;
    return 1;
}

// How many text-space units a glyph of a Type 3 font is high: its glyphs live in
// a space of their own that the font matrix maps, and only the font box says
// how large the producer drew them. A font without a usable box keeps the size.
double Type3Em(GfxFont& font) {
    const double* bbox = font.getFontBBox();
    const double* fm = font.getFontMatrix();
    double height = std::fabs((bbox[3] - bbox[1]) * fm[3]) + std::fabs((bbox[3] - bbox[1]) * fm[1]);
    // A box far from an em is a placeholder (all zeros, or the whole page).
    if (!std::isfinite(height) || height < 0.3 || height > 3) return 1;
    return height;
}

// A ligature glyph stands for its letters: a reader searches "file", not "\uFB01le".
void AppendLetters(unsigned u, std::vector<unsigned>& text) {
    static const char* const kLigatures[] = {"ff", "fi", "fl", "ffi", "ffl", "st", "st"};
    if (u >= 0xFB00 && u <= 0xFB06) {
        for (const char* c = kLigatures[u - 0xFB00]; *c; ++c) text.push_back(static_cast<unsigned char>(*c));
        return;
    }
    text.push_back(u);
}

// The vertical presentation forms of East Asian punctuation, set in a horizontal
// line, are the ordinary marks: a reader of the line searches and copies those.
unsigned HorizontalForm(unsigned u) {
    static const unsigned kFE10[] = {0xFF0C, 0x3001, 0x3002, 0xFF1A, 0xFF1B, 0xFF01, 0xFF1F, 0x3016, 0x3017, 0x2026};
    static const unsigned kFE30[] = {0x2025, 0x2014, 0x2013, 0xFF3F, 0xFF3F, 0xFF08, 0xFF09, 0xFF5B, 0xFF5D,
                                     0x3014, 0x3015, 0x3010, 0x3011, 0x300A, 0x300B, 0x3008, 0x3009, 0x300C,
                                     0x300D, 0x300E, 0x300F, 0xFE45, 0xFE46, 0xFF3B, 0xFF3D};
    if (u >= 0xFE10 && u <= 0xFE19) return kFE10[u - 0xFE10];
    if (u >= 0xFE30 && u <= 0xFE48) return kFE30[u - 0xFE30];
    return u;
}

}  // namespace

void HtmlPageBuffer::SetBox(Operation& op, double baseline, double size, double ascent, double descent) {
    op.yMin = baseline - size * ascent;
    op.yMax = baseline - size * descent;
    if (op.yMin == op.yMax) {
        op.yMin = baseline;
        op.yMax = baseline + 1;
    }
    op.originY = baseline;
}

HtmlPageBuffer::HtmlPageBuffer(bool raw) : rawOrder(raw) {}

void HtmlPageBuffer::reset() {
    current.open = false;
    actualText.reset();
    runs.clear();
    firstNewFont = fonts.size();
    links = HtmlLinkList();
}

void HtmlPageBuffer::setPageGeometry(int width, int height, int hRes, int vRes, int rot) {
    pageWidth = width;
    pageHeight = height;
    hResolution = hRes;
    vResolution = vRes;
    rotation = rot;
}

void HtmlPageBuffer::updateFont(GfxState* state) {
    // The size a reader sees: the nominal size through the text matrix and the
    // current transformation, whatever mix of the three the producer chose.
    fontSize = state->getTransformedFontSize();
    GfxFont* font = state->getFont().get();
    if (font && font->getType() == fontType3) fontSize *= Type3Em(*font);
}

HtmlPageBuffer::FontFacts HtmlPageBuffer::FactsOf(GfxFont& font) {
    // Weight and kind both may read the embedded program: it is read once for both.
    EmbeddedFont embedded(font, xref);
    return {TraitsFromDescriptor(embedded), FontClassOf(embedded)};
}

int HtmlPageBuffer::recordSize(double sizeOnPage) const {
    // Points on the page; a hair below a whole size stays that size.
    const double unitsPerPoint = hResolution > 0 ? hResolution / 72.0 : 1.5;
    const double points = std::fabs(sizeOnPage) / unitsPerPoint;
    int size = std::isfinite(points) && points < 1e6 ? xmlvalue::Truncate(std::ceil(points - 0.01)) : 1;
    return std::max(size, 1);
}

int HtmlPageBuffer::fontIndexFor(GfxState* state) {
    const int size = recordSize(fontSize);
    GfxRGB rgb;
    state->getFillRGB(&rgb);
    HtmlColor color(rgb);
    GfxFont* font = state->getFont().get();
    static const std::string defaultName = HtmlFont::DefaultName();
    const std::string& name = font && font->getName() ? *font->getName() : defaultName;
    // Text filled and stroked with a visible outline is the usual way to fake a bold face.
    const double em = std::fabs(fontSize);
    const bool strokedBold = state->getRender() == 2 && em > 0 && state->getTransformedLineWidth() >= 0.01 * em;
    if (lastFontIndex >= 0 && size == lastFontSize && color == lastFontColor && name == lastFontName &&
        strokedBold == lastStrokedBold)
        return lastFontIndex;
    FontFacts facts;
    if (font && font->getID() && font->getID()->num >= 0) {
        const std::pair<int, int> id{font->getID()->num, font->getID()->gen};
        auto known = fontFacts.find(id);
        if (known == fontFacts.end()) known = fontFacts.emplace(id, FactsOf(*font)).first;
        facts = known->second;
    } else if (font) {
        facts = FactsOf(*font);
    }
    HtmlFont record(name.c_str(), size, 0.0, color, facts.traits, facts.faceClass);
    lastFontIndex = fonts.add(strokedBold ? record.Emboldened() : record);
    lastStrokedBold = strokedBold;
    lastFontName = name;
    lastFontSize = size;
    lastFontColor = color;
    return lastFontIndex;
}

void HtmlPageBuffer::startOperation(GfxState* state) {
    Operation& op = current;
    op.Restart();
    op.textState.charSpace = state->getCharSpace();
    op.spacingIsGap = state->getCharSpace() * state->getHorizScaling() > std::fabs(state->getFontSize());
    // Its gaps are then written as the glyphs' places, so no run carries the spacing.
    if (op.spacingIsGap) op.textState.charSpace = 0;
    op.textState.wordSpace = state->getWordSpace();
    op.textState.horizScaling = state->getHorizScaling();
    op.textState.leading = state->getLeading();
    op.textState.rise = state->getRise();
    // The box of a raised or lowered run (a footnote mark, an exponent) stands where
    // its glyphs are.
    double riseX, riseY;
    state->textTransformDelta(0, state->getRise(), &riseX, &riseY);
    double x, y;
    state->transform(state->getCurX() + riseX, state->getCurY() + riseY, &x, &y);
    GfxFont* font = state->getFont().get();
    double ascent = font ? font->getAscent() : kDefaultAscent;
    double descent = font ? font->getDescent() : kDefaultDescent;
    SetBox(op, y, fontSize, ascent, descent);
    op.fontIndex = fontIndexFor(state);
    op.vertical = font && font->getWMode() != 0;
    op.size = std::fabs(fontSize);
    op.hidden = (state->getRender() & 3) == 3;
}

void HtmlPageBuffer::beginRun(GfxState* state) {
    endRun();
    startOperation(state);
}

void HtmlPageBuffer::addChar(GfxState* state, double x, double y, double dx, double dy, const unsigned* u,
                             int count) {
    if (!current.open) startOperation(state);
    Operation& op = current;
    double x1, y1;
    state->transform(x, y, &x1, &y1);

    // The gap rule works with the full advance, character spacing included, so
    // letter-spaced text stays one word; spacing that stands for gaps is left out.
    const double* tm = state->getTextMat();
    double cs = state->getCharSpace() * state->getHorizScaling();
    double cx = tm[0] * cs, cy = tm[1] * cs;
    double fullW, fullH;
    if (op.spacingIsGap) state->transformDelta(dx - cx, dy - cy, &fullW, &fullH);
    else state->transformDelta(dx, dy, &fullW, &fullH);
    double gap = 0;
    if (!op.glyphs.empty()) {
        double dirX, dirY;
        state->transformDelta(tm[0], tm[1], &dirX, &dirY);
        double len = std::hypot(dirX, dirY);
        if (len > 0) gap = ((x1 - expectedX) * dirX + (y1 - expectedY) * dirY) / len;
    }
    expectedX = x1 + fullW;
    expectedY = y1 + fullH;

    double w, h;
    state->transformDelta(dx - cx, dy - cy, &w, &h);

    // Invisible glyphs take no part in a span's box: its text stands for what is seen.
    if (actualText && op.hidden) return;
    if (actualText) {
        // The span's own text stands for these glyphs: only their place is kept,
        // and the state of the first (its operation holds no glyph of the span).
        HtmlActualText& span = *actualText;
        const double left = std::min(x1, x1 + w), right = std::max(x1, x1 + w);
        if (!span.drew) {
            span.first = op;
            span.xMin = left;
            span.xMax = right;
            span.drew = true;
        }
        span.xMin = std::min(span.xMin, left);
        span.xMax = std::max(span.xMax, right);
        return;
    }

    auto add = [&](double x, double y, double width, double height, double gapBefore, const unsigned* chars,
                   int n) {
        Glyph g;
        g.x = x;
        g.y = y;
        g.w = width;
        g.h = height;
        g.gap = gapBefore;
        g.blank = n == 1 && chars[0] == 0x20;
        glyphText.clear();
        if (!g.blank && n > 0) {
            for (int i = 0; i < n; ++i) AppendLetters(chars[i], glyphText);
            g.direction = DirectionOf(chars[0], state);
        }
        op.Add(g, glyphText.data(), glyphText.size());
    };
    // A glyph that stands for several characters with a blank among them (a
    // character map of whole words) breaks where its blank is.
    if (count > 1 && std::find(u, u + count, 0x20u) != u + count) {
        const double step = 1.0 / count;
        for (int i = 0; i < count; ++i)
            add(x1 + i * step * w, y1 + i * step * h, step * w, step * h, i == 0 ? gap : 0, u + i, 1);
        return;
    }
    add(x1, y1, w, h, gap, u, count);
}

void HtmlPageBuffer::emitRun(const Operation& op, size_t first, size_t last, bool startsAfterBreak) {
    // Words of a line turned a quarter stand one above the other: each box starts
    // where its first glyph does.
    const double shift = first < op.glyphs.size() ? op.glyphs[first].y - op.originY : 0;
    HtmlTextRun run(op.yMin + shift, op.yMax + shift, op.fontIndex, op.textState);
    run.size = op.size;
    run.afterBreak = startsAfterBreak;
    run.hidden = op.hidden;
    for (size_t i = first; i < last; ++i) {
        const Glyph& g = op.glyphs[i];
        const size_t count = g.textCount;
        const unsigned* text = op.characters.data() + g.textStart;
        if (count == 0) continue;
        const double w = g.w / static_cast<double>(count), h = g.h / static_cast<double>(count);
        for (size_t k = 0; k < count; ++k) {
            double x = g.x + static_cast<double>(k) * w, y = g.y + static_cast<double>(k) * h;
            // Vertical writing (CID fonts with a vertical mode): characters advance down
            // the page and each column keeps its real box.
            if (op.vertical)
                run.addVerticalChar(text[k], x, y, op.size);
            else
                run.addChar(HorizontalForm(text[k]), x, w, op.glyphs[first].direction);
        }
    }
    if (run.empty()) return;
    run.finish();
    runs.push_back(std::move(run));
}

void HtmlPageBuffer::cutOperation(Operation& op) {
    std::vector<double>& gaps = gapScratch;
    gaps.clear();
    for (size_t i = 1; i < op.glyphs.size(); ++i)
        if (!op.glyphs[i].blank && !op.glyphs[i - 1].blank) gaps.push_back(op.glyphs[i].gap);
    const double threshold = WordBreakThreshold(gaps, op.size);

    size_t start = 0;
    bool afterBreak = false;
    for (size_t i = 0; i < op.glyphs.size(); ++i) {
        const Glyph& g = op.glyphs[i];
        if (g.blank) {
            emitRun(op, start, i, afterBreak);
            start = i + 1;
            afterBreak = true;
            continue;
        }
        if (i > start && g.gap >= threshold) {
            emitRun(op, start, i, afterBreak);
            start = i;
            afterBreak = true;
        }
    }
    emitRun(op, start, op.glyphs.size(), afterBreak);
}

void HtmlPageBuffer::endRun() {
    if (!current.open) return;
    current.open = false;
    cutOperation(current);
}

void HtmlPageBuffer::beginActualText(GfxState*, std::vector<unsigned> text) {
    endRun();
    actualText.emplace();
    actualText->text = std::move(text);
}

void HtmlPageBuffer::endActualText() {
    if (!actualText) return;
    current.open = false;
    HtmlActualText span = std::move(*actualText);
    actualText.reset();
    if (!span.drew) return;
    // The text is spread evenly over the box the covered glyphs took.
    Operation op = std::move(span.first);
    const double width = span.xMax - span.xMin;
    const double step = span.text.empty() ? 0 : width / static_cast<double>(span.text.size());
    for (size_t i = 0; i < span.text.size(); ++i) {
        Glyph g;
        g.x = span.xMin + static_cast<double>(i) * step;
        g.y = op.originY;
        g.w = step;
        g.blank = span.text[i] == 0x20;
        op.Add(g, &span.text[i], g.blank ? 0 : 1);
    }
    cutOperation(op);
}

void HtmlPageBuffer::keepBreaksVisible() {
    // The XML gives whole units and a width one unit past a run's end: a word gap of
    // a tenth of an em in small type (1.5 units at 10 points) can round to nothing,
    // and the reader would glue the words. A word that follows a break stands at
    // least one unit clear of the written end of the word before it.
    const HtmlTextRun* previous = nullptr;
    for (HtmlTextRun& run : runs) {
        if (previous && run.afterBreak && run.direction == 1 && previous->direction == 1) {
            const int writtenEnd = xmlvalue::Round(previous->xMin) + xmlvalue::WrittenWidth(previous->xMin, previous->xMax);
            const int left = xmlvalue::Round(run.xMin);
            if (left <= writtenEnd) {
                const double shift = writtenEnd + 1 - left;
                run.xMin += shift;
                run.xMax += shift;
                for (double& right : run.xRight) right += shift;
            }
        }
        previous = &run;
    }
}

void HtmlPageBuffer::resolveRuns() {
    combineNegations();
    combineAccents();
    mergeOverprints();
    keepBreaksVisible();
    for (HtmlTextRun& run : runs) {
        run.escapedText = HtmlFontList::escape(fonts.get(run.fontIndex), run.text.data(), run.length());
        std::optional<size_t> link = links.findRun(run.xMin, run.yMin, run.xMax, run.yMax);
        run.link = link ? &links.get(*link) : nullptr;
    }
}
