// Text that the producer drew more than once at one place: fake bold copies,
// negation slashes over relations and accents over letters.
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "extract/HtmlPageBuffer.h"
#include "extract/MathGlyphs.h"

namespace {

// Copies this close to one another (in em) are one glyph drawn again.
constexpr double kSamePlace = 0.15;
// Copies moved sideways by more than this (in em) were meant to look bold.
constexpr double kBoldOffset = 0.01;

uint64_t TextHash(const HtmlTextRun& run) {
    uint64_t h = 1469598103934665603ull ^ static_cast<uint64_t>(run.direction);
    for (unsigned u : run.text) h = (h ^ u) * 1099511628211ull;
    return h;
}

double LeftOf(const HtmlTextRun& run, size_t i) { return i == 0 ? run.xMin : run.xRight[i - 1]; }

// Spacing accents that typesetters draw over a letter as a glyph of their own, and
// the combining marks they stand for.
unsigned CombiningMark(unsigned accent) {
    switch (accent) {
        case 0x02DC: return 0x0303;  // tilde
        case 0x02C6: return 0x0302;  // circumflex
        case 0x00A8: return 0x0308;  // dieresis
        case 0x00B4: return 0x0301;  // acute
        case 0x02CB: return 0x0300;  // grave
        case 0x00AF: return 0x0304;  // macron
        case 0x02C7: return 0x030C;  // caron
        case 0x02D8: return 0x0306;  // breve
        case 0x02D9: return 0x0307;  // dot above
        case 0x02DA: return 0x030A;  // ring above
        case 0x20D7: return 0x20D7;  // vector arrow
        default: return 0;
    }
}

// The precomposed letter of the Latin-1 range, which every face has; 0 when there is none.
unsigned Precomposed(unsigned letter, unsigned mark) {
    static const struct {
        unsigned mark;
        const char* base;
        unsigned first[5];
    } kTable[] = {
        {0x0300, "AEIOU", {0xC0, 0xC8, 0xCC, 0xD2, 0xD9}},
        {0x0301, "AEIOU", {0xC1, 0xC9, 0xCD, 0xD3, 0xDA}},
        {0x0302, "AEIOU", {0xC2, 0xCA, 0xCE, 0xD4, 0xDB}},
        {0x0308, "AEIOU", {0xC4, 0xCB, 0xCF, 0xD6, 0xDC}},
    };
    for (const auto& row : kTable) {
        if (row.mark != mark) continue;
        for (int i = 0; i < 5; ++i) {
            const unsigned upper = static_cast<unsigned char>(row.base[i]);
            if (letter == upper) return row.first[i];
            if (letter == upper + 0x20) return row.first[i] + 0x20;
        }
    }
    if (mark == 0x0303) {
        if (letter == 'N') return 0xD1;
        if (letter == 'n') return 0xF1;
        if (letter == 'A') return 0xC3;
        if (letter == 'a') return 0xE3;
        if (letter == 'O') return 0xD5;
        if (letter == 'o') return 0xF5;
    }
    if (mark == 0x030A && (letter == 'A' || letter == 'a')) return letter == 'A' ? 0xC5 : 0xE5;
    return 0;
}

}  // namespace

void HtmlPageBuffer::mergeOverprints() {
    // Runs of the same text side by side (by a hash of it), then compared in place.
    std::vector<std::pair<uint64_t, HtmlTextRun*>> byText;
    byText.reserve(runs.size());
    for (HtmlTextRun& run : runs) byText.emplace_back(TextHash(run), &run);
    std::stable_sort(byText.begin(), byText.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<HtmlTextRun*> emboldened;
    bool anyCopy = false;
    for (size_t first = 0; first < byText.size();) {
        size_t last = first + 1;
        while (last < byText.size() && byText[last].first == byText[first].first) ++last;
        for (size_t i = first + 1; i < last; ++i) {
            HtmlTextRun& run = *byText[i].second;
            const double em = std::max(run.size, 1.0);
            for (size_t k = first; k < i; ++k) {
                HtmlTextRun& original = *byText[k].second;
                if (original.copyOf || original.text != run.text || original.direction != run.direction) continue;
                if (std::fabs(original.xMin - run.xMin) >= kSamePlace * em ||
                    std::fabs(original.yMax - run.yMax) >= kSamePlace * em)
                    continue;
                // A recognised word over the drawn one repeats it without meaning bold.
                if (std::fabs(original.xMin - run.xMin) > kBoldOffset * em && !original.placed && !run.placed)
                    emboldened.push_back(&original);
                original.xMax = std::max(original.xMax, run.xMax);
                run.copyOf = true;
                anyCopy = true;
                break;
            }
        }
        first = last;
    }
    if (!anyCopy) return;
    for (HtmlTextRun* run : emboldened) {
        const HtmlFont& font = fonts.get(run->fontIndex);
        if (!font.isBold()) run->fontIndex = fonts.add(font.Emboldened());
    }
    runs.remove_if([](const HtmlTextRun& run) { return run.copyOf; });
}

void HtmlPageBuffer::combineAccents() {
    for (auto it = runs.begin(); it != runs.end();) {
        const HtmlTextRun& accent = *it;
        const unsigned mark = accent.text.size() == 1 ? CombiningMark(accent.text[0]) : 0;
        if (mark == 0) {
            ++it;
            continue;
        }
        // The accent sits over the upper part of its letter, within the letter's width.
        const double centre = (accent.xMin + accent.xMax) / 2;
        HtmlTextRun* base = nullptr;
        size_t index = 0;
        for (HtmlTextRun& run : runs) {
            if (&run == &accent || run.yMin >= accent.yMax || run.yMax <= accent.yMin || run.direction != 1) continue;
            if (accent.yMax > run.yMax) continue;
            for (size_t i = 0; i < run.text.size(); ++i)
                if (centre >= LeftOf(run, i) && centre <= run.xRight[i] && run.text[i] > 0x20 &&
                    !CombiningMark(run.text[i])) {
                    base = &run;
                    index = i;
                    break;
                }
            if (base) break;
        }
        if (!base) {
            ++it;
            continue;
        }
        if (unsigned single = Precomposed(base->text[index], mark)) {
            base->text[index] = single;
        } else {
            base->text.insert(base->text.begin() + static_cast<std::ptrdiff_t>(index) + 1, mark);
            base->xRight.insert(base->xRight.begin() + static_cast<std::ptrdiff_t>(index) + 1, base->xRight[index]);
        }
        it = runs.erase(it);
    }
}

void HtmlPageBuffer::combineNegations() {
    for (HtmlTextRun& run : runs) {
        // A slash and its relation drawn in one operation.
        for (size_t i = 0; i + 1 < run.text.size(); ++i) {
            if (!IsNegationSlash(run.text[i]) && !IsNegationSlash(run.text[i + 1])) continue;
            size_t relation = IsNegationSlash(run.text[i]) ? i + 1 : i;
            if (unsigned negated = NegatedRelation(run.text[relation])) {
                run.text[relation] = negated;
                size_t slash = relation == i ? i + 1 : i;
                run.text.erase(run.text.begin() + static_cast<std::ptrdiff_t>(slash));
                run.xRight.erase(run.xRight.begin() + static_cast<std::ptrdiff_t>(slash));
            }
        }
    }
    for (auto it = runs.begin(); it != runs.end();) {
        const HtmlTextRun& slash = *it;
        if (slash.text.size() != 1 || !IsNegationSlash(slash.text[0])) {
            ++it;
            continue;
        }
        // The slash is drawn across the relation it negates, before or after it: the
        // nearest relation of its line takes it.
        const double centre = (slash.xMin + slash.xMax) / 2;
        const double reach = std::max(slash.size * 0.3, slash.xMax - slash.xMin);
        HtmlTextRun* best = nullptr;
        size_t bestIndex = 0;
        double bestDistance = reach;
        for (HtmlTextRun& run : runs) {
            if (&run == &slash || run.yMax <= slash.yMin || run.yMin >= slash.yMax) continue;
            for (size_t i = 0; i < run.text.size(); ++i) {
                if (!NegatedRelation(run.text[i])) continue;
                const double left = LeftOf(run, i), right = run.xRight[i];
                const double distance = centre < left ? left - centre : centre > right ? centre - right : 0;
                if (distance <= bestDistance) {
                    best = &run;
                    bestIndex = i;
                    bestDistance = distance;
                }
            }
        }
        if (!best) {
            ++it;
            continue;
        }
        best->text[bestIndex] = NegatedRelation(best->text[bestIndex]);
        it = runs.erase(it);
    }
}
