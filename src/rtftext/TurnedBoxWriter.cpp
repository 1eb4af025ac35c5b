// "AS IS": words turned against their page (margin captions, a turned page number, the
// lines of a page turned by its viewer) as text boxes at their place whose text runs up
// or down the page, one box per turned line, its words in reading order.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "rtftext/TextBoxes.h"
#include "rtf/CRtfPage.h"
#include "rtf/RtfUnits.h"
#include "rtftext/RunWriter.h"
#include "rtftext/Hyperlinks.h"

namespace {

constexpr double kTwipsPerUnit = 40.0 / 3.0;
// The extraction places a turned word's top this share of its height before the
// point where the word starts, and its glyphs reach as far across the line.
constexpr double kAscentShare = 0.75;
// Words of one turned line follow each other within this many ems.
constexpr double kLineGapEms = 3.0;
// Room to spare along the line (in ems): a box whose text runs along the page must
// not break its line.
constexpr double kSpareEms = 1.0;

enum class Kind { Other, Vertical, Level, Headstand };

const RtfRect& Drawn(const CRtfXmlText& item) {
    return item.drawnBox == RtfRect{} ? item.box : item.drawnBox;
}

Kind KindOf(const CRtfXmlText& item) {
    if (item.verticalWriting || item.runs.empty()) return Kind::Other;
    const RtfRect& d = Drawn(item);
    if (std::abs(d.Width()) <= 1) return d.Height() > 0 ? Kind::Vertical : Kind::Other;
    return d.Width() < 0 ? Kind::Headstand : Kind::Level;
}

double EmUnits(const CRtfXmlText& item) { return std::max<int>(item.fontSize, 1) * 1.5; }

// Where a turned word starts along its line, in units down the page.
double StartOf(const CRtfXmlText& item) {
    const RtfRect& d = Drawn(item);
    return d.top + kAscentShare * d.Height();
}

// A word that runs up the page, when its line gives no order: turned a quarter
// counter-clockwise against its page.
bool RunsUpAlone(const CRtfXmlText& item) {
    const int pageRotation = item.page ? item.page->rotation : 0;
    return ((item.rotation - pageRotation) % 360 + 360) % 360 != 270;
}

bool SameLine(CRtfXmlText& a, const CRtfXmlText& b, Kind kind) {
    if (KindOf(b) != kind || a.rotation != b.rotation) return false;
    const RtfRect &p = Drawn(a), &n = Drawn(b);
    const double reach = kLineGapEms * std::max(EmUnits(a), EmUnits(b));
    if (kind == Kind::Vertical) {
        if (std::abs(p.left - n.left) > 2) return false;
        // The next word starts within the previous one's length and a few ems.
        const double previousLength = MeasureItemRuns(a).twips / kTwipsPerUnit;
        return std::abs(StartOf(b) - StartOf(a)) <= previousLength + reach;
    }
    if (std::abs(p.top - n.top) > 2) return false;
    const int pl = std::min(p.left, p.right), pr = std::max(p.left, p.right);
    const int nl = std::min(n.left, n.right), nr = std::max(n.left, n.right);
    return nl - pr <= reach && pl - nr <= reach;
}

// The words of a line one after the other, each starting as far from the line's start
// as the source has it (units along the line, from `offsets`).
std::string LineText(const std::vector<CRtfXmlText*>& words, const std::vector<double>& offsets, double& length) {
    std::string text;
    double pen = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        CRtfXmlText& word = *words[i];
        RunsExtent m = MeasureItemRuns(word);
        if (i > 0) {
            const double blank = m.known ? BlankTwips(*words[i - 1]) : 0;
            long spacing = 0;
            if (blank > 0) {
                spacing = std::lround(offsets[i] * kTwipsPerUnit - pen - blank);
                spacing = std::max(spacing, -std::lround(blank * 0.8));
            }
            text += Blank(*words[i - 1], spacing);
            pen += blank + static_cast<double>(spacing);
        }
        text += "{" + WriteRuns(word.runs, 0) + "}";
        pen += m.known ? m.twips : 0;
    }
    length = pen;
    return text;
}

std::string VerticalBox(std::vector<CRtfXmlText*> words) {
    bool up = words.size() > 1 ? StartOf(*words[1]) < StartOf(*words[0]) : RunsUpAlone(*words[0]);
    std::vector<double> offsets;
    for (const CRtfXmlText* w : words) offsets.push_back(std::abs(StartOf(*w) - StartOf(*words[0])));
    double length = 0;
    const std::string text = LineText(words, offsets, length);
    const CRtfXmlText& first = *words[0];
    const RtfRect& d = Drawn(first);
    const double h = d.Height() * kTwipsPerUnit, base = d.left * kTwipsPerUnit;
    const double along = length + kSpareEms * first.fontSize * 20.0;
    const double start = StartOf(first) * kTwipsPerUnit;
    // Glyph tops point the way the line turns: left of the baseline for a line running
    // up the page, right of it for one running down.
    const double across0 = up ? base - kAscentShare * h : base - (1 - kAscentShare) * h;
    RtfRect r{ClampedTwips(across0 - 0.05 * h), ClampedTwips(up ? start - along : start), ClampedTwips(across0 + 1.05 * h),
              ClampedTwips(up ? start : start + along)};
    return TextBox(r, NextTextBoxId(first), ApplyLinks(first, text), up ? TextFlow::Up : TextFlow::Down);
}

std::string LevelBox(std::vector<CRtfXmlText*> words, bool headstand) {
    // Words standing on their heads read from right to left across the page.
    auto leftOf = [](const CRtfXmlText* w) { return std::min(Drawn(*w).left, Drawn(*w).right); };
    std::stable_sort(words.begin(), words.end(), [&](const CRtfXmlText* a, const CRtfXmlText* b) {
        return headstand ? leftOf(a) > leftOf(b) : leftOf(a) < leftOf(b);
    });
    RtfRect place = Drawn(*words[0]);
    int left = INT32_MAX, right = INT32_MIN;
    for (const CRtfXmlText* w : words) {
        const RtfRect& d = Drawn(*w);
        left = std::min({left, d.left, d.right});
        right = std::max({right, d.left, d.right});
        place.top = std::min(place.top, d.top);
        place.bottom = std::max(place.bottom, d.bottom);
    }
    std::vector<double> offsets;
    for (const CRtfXmlText* w : words)
        offsets.push_back(headstand ? right - std::max(Drawn(*w).left, Drawn(*w).right) : leftOf(w) - left);
    double length = 0;
    const std::string text = LineText(words, offsets, length);
    const CRtfXmlText& first = *words[0];
    const double width = std::max((right - left) * kTwipsPerUnit, length) + kSpareEms * first.fontSize * 20.0;
    const int x = ClampedTwips(UnitsInTwips(left)), y = ClampedTwips(UnitsInTwips(place.top));
    RtfRect r{x, y, ClampedTwips(x + width), ClampedTwips(y + place.Height() * kTwipsPerUnit * 1.15)};
    return TextBox(r, NextTextBoxId(first), ApplyLinks(first, text), TextFlow::Level, headstand ? 180 : 0);
}

}  // namespace

std::string WriteTurnedBoxes(std::vector<CRtfXmlText*>& loose) {
    std::string out;
    std::vector<CRtfXmlText*> rest;
    for (size_t i = 0; i < loose.size();) {
        const Kind kind = KindOf(*loose[i]);
        if (kind == Kind::Other) {
            rest.push_back(loose[i++]);
            continue;
        }
        std::vector<CRtfXmlText*> line = {loose[i++]};
        while (i < loose.size() && SameLine(*line.back(), *loose[i], kind)) line.push_back(loose[i++]);
        out += kind == Kind::Vertical ? VerticalBox(line) : LevelBox(line, kind == Kind::Headstand);
    }
    loose = std::move(rest);
    return out;
}
