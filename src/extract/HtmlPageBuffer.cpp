#include "extract/HtmlPageBuffer.h"

#include <GfxFont.h>
#include <GfxState.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "extract/XmlValueFormat.h"

namespace {

double Zeroed(double v) { return (v > -0.001 && v < 0.001) ? 0.0 : v; }

// 1 left to right, 2 right to left or upside down, 3 and 4 a quarter turn
// clockwise and counter-clockwise.
int DirectionOf(unsigned u, GfxState* state) {
    if (u >= 0x0590 && u <= 0x05ff) return 2;
    const double* tm = state->getTextMat();
    double a = Zeroed(tm[0]), b = Zeroed(tm[1]), c = Zeroed(tm[2]), d = Zeroed(tm[3]);
    if (b > 0 && c < 0) return 4;
    if (b < 0 && c > 0) return 3;
    if (a < 0 && d < 0) return 2;
    const double* ctm = state->getCTM();
    if (ctm[0] == 0 && ctm[1] < 0 && ctm[2] < 0 && ctm[3] == 0) return 4;
    return 1;
}

}  // namespace

HtmlPageBuffer::HtmlPageBuffer(bool raw) : rawOrder(raw) {}

void HtmlPageBuffer::reset() {
    current.reset();
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
    fontSize = state->getTransformedFontSize();
    GfxFont* font = state->getFont().get();
    if (!font || font->getType() != fontType3) return;
    // Type 3 glyphs live in their own unit square; the width of "m" tells the
    // size a reader would see.
    auto* font8 = static_cast<Gfx8BitFont*>(font);
    for (int code = 0; code < 256; ++code) {
        const char* name = font8->getCharName(code);
        if (name && std::strcmp(name, "m") == 0) {
            double w = font8->getWidth(static_cast<unsigned char>(code));
            if (w != 0) fontSize *= w / 0.6;
            break;
        }
    }
    const double* fm = font->getFontMatrix();
    if (fm[0] != 0) fontSize *= std::fabs(fm[3] / fm[0]);
}

int HtmlPageBuffer::fontIndexFor(GfxState* state) {
    double stateSize = state->getFontSize();
    int size = xmlvalue::Truncate(std::ceil(stateSize));
    if (size <= 1) size = xmlvalue::Truncate(std::floor(fontSize * 0.7));
    GfxRGB rgb;
    state->getFillRGB(&rgb);
    HtmlColor color(rgb);
    GfxFont* font = state->getFont().get();
    static const std::string defaultName = HtmlFont::DefaultName();
    const std::string& name = font && font->getName() ? *font->getName() : defaultName;
    if (lastFontIndex >= 0 && size == lastFontSize && color == lastFontColor && name == lastFontName)
        return lastFontIndex;
    HtmlFontTraits traits;
    if (font && font->getID() && font->getID()->num >= 0) {
        const std::pair<int, int> id{font->getID()->num, font->getID()->gen};
        auto known = fontTraits.find(id);
        if (known == fontTraits.end()) known = fontTraits.emplace(id, TraitsFromDescriptor(*font, xref)).first;
        traits = known->second;
    } else if (font) {
        traits = TraitsFromDescriptor(*font, xref);
    }
    lastFontIndex = fonts.add(HtmlFont(name.c_str(), size, 0.0, color, traits));
    lastFontName = name;
    lastFontSize = size;
    lastFontColor = color;
    return lastFontIndex;
}

void HtmlPageBuffer::beginRun(GfxState* state) {
    HtmlTextRun::TextState ts;
    ts.charSpace = state->getCharSpace();
    ts.wordSpace = state->getWordSpace();
    ts.horizScaling = state->getHorizScaling();
    ts.leading = state->getLeading();
    ts.rise = state->getRise();
    double x, y;
    state->transform(state->getCurX(), state->getCurY(), &x, &y);
    GfxFont* font = state->getFont().get();
    double ascent = font ? font->getAscent() : 0.95;
    double descent = font ? font->getDescent() : -0.35;
    double yMin = y - fontSize * ascent;
    double yMax = y - fontSize * descent;
    if (yMin == yMax) {
        yMin = y;
        yMax = y + 1;
    }
    current = std::make_unique<HtmlTextRun>(yMin, yMax, fontIndexFor(state), ts);
}

void HtmlPageBuffer::addChar(GfxState* state, double x, double y, double dx, double dy, const unsigned* u,
                             int count) {
    if (!current) beginRun(state);
    double x1, y1;
    state->transform(x, y, &x1, &y1);

    // The gap rule works with the full advance, character spacing included, so
    // letter-spaced text stays one run.
    double fullW, fullH;
    state->transformDelta(dx, dy, &fullW, &fullH);
    if (!current->empty()) {
        const double* tm = state->getTextMat();
        double dirX, dirY;
        state->transformDelta(tm[0], tm[1], &dirX, &dirY);
        double len = std::hypot(dirX, dirY);
        if (len > 0) {
            double along = ((x1 - expectedX) * dirX + (y1 - expectedY) * dirY) / len;
            double threshold = std::max(kGapFactor * std::fabs(fontSize), 1.0);
            if (along > threshold) {
                endRun();
                beginRun(state);
            }
        }
    }
    expectedX = x1 + fullW;
    expectedY = y1 + fullH;

    const double* tm = state->getTextMat();
    double cs = state->getCharSpace() * state->getHorizScaling();
    double cx = tm[0] * cs, cy = tm[1] * cs;
    double w, h;
    state->transformDelta(dx - cx, dy - cy, &w, &h);
    if (count != 0) {
        w /= count;
        h /= count;
    }
    for (int i = 0; i < count; ++i) {
        if (u[i] == 0x20) {
            endRun();
            beginRun(state);
            continue;
        }
        if (!current) beginRun(state);
        current->addChar(u[i], x1 + i * w, w, current->direction ? current->direction : DirectionOf(u[i], state));
    }
}

void HtmlPageBuffer::endRun() {
    if (!current) return;
    if (!current->empty()) {
        current->finish();
        runs.push_back(std::move(*current));
    }
    current.reset();
}

void HtmlPageBuffer::resolveRuns() {
    for (HtmlTextRun& run : runs) {
        run.escapedText = HtmlFontList::escape(fonts.get(run.fontIndex), run.text.data(), run.length());
        std::optional<size_t> link = links.findRun(run.xMin, run.yMin, run.xMax, run.yMax);
        run.link = link ? &links.get(*link) : nullptr;
    }
}
