// Text that the producer drew more than once at one place: fake bold copies and
// negation slashes over relations.
#include <cmath>
#include <unordered_map>
#include <vector>

#include "extract/HtmlPageBuffer.h"
#include "extract/MathGlyphs.h"

namespace {

// Copies this close to one another (in em) are one glyph drawn again.
constexpr double kSamePlace = 0.15;
// Copies moved sideways by more than this (in em) were meant to look bold.
constexpr double kBoldOffset = 0.01;

std::string TextKey(const HtmlTextRun& run) {
    std::string key(reinterpret_cast<const char*>(run.text.data()), run.text.size() * sizeof(unsigned));
    key += static_cast<char>(run.direction);
    return key;
}

double LeftOf(const HtmlTextRun& run, size_t i) { return i == 0 ? run.xMin : run.xRight[i - 1]; }

}  // namespace

void HtmlPageBuffer::mergeOverprints() {
    std::unordered_map<std::string, std::vector<HtmlTextRun*>> seen;
    std::vector<HtmlTextRun*> emboldened;
    for (auto it = runs.begin(); it != runs.end();) {
        HtmlTextRun& run = *it;
        const double em = std::max(run.size, 1.0);
        std::vector<HtmlTextRun*>& same = seen[TextKey(run)];
        HtmlTextRun* original = nullptr;
        for (HtmlTextRun* earlier : same)
            if (std::fabs(earlier->xMin - run.xMin) < kSamePlace * em &&
                std::fabs(earlier->yMax - run.yMax) < kSamePlace * em) {
                original = earlier;
                break;
            }
        if (!original) {
            same.push_back(&run);
            ++it;
            continue;
        }
        if (std::fabs(original->xMin - run.xMin) > kBoldOffset * em) emboldened.push_back(original);
        original->xMax = std::max(original->xMax, run.xMax);
        it = runs.erase(it);
    }
    for (HtmlTextRun* run : emboldened) {
        const HtmlFont& font = fonts.get(run->fontIndex);
        if (!font.isBold()) run->fontIndex = fonts.add(font.Emboldened());
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
