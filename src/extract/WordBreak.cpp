// Word breaks from the gaps of one text-showing operation.
#include "extract/WordBreak.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWordGap = 0.1;
// Letters spaced out further than this (in em) by positioning are tracking.
constexpr double kTrackedLetters = 0.08;
// A word gap of tracked text stands clearly apart from its letter gaps.
constexpr double kTrackedWordFactor = 1.6;
// Fewer gaps than this tell nothing about the letter spacing.
constexpr size_t kGapsToLearn = 4;

}  // namespace

double WordBreakThreshold(std::vector<double> gaps, double em) {
    em = std::fabs(em);
    const double floor = std::max(kWordGap * em, 0.5);
    if (gaps.size() < kGapsToLearn || em <= 0) return floor;
    std::sort(gaps.begin(), gaps.end());
    const double median = gaps[gaps.size() / 2];
    if (median < kTrackedLetters * em) return floor;
    // Most gaps lie close to the median when the letters are tracked; word gaps
    // are the few above.
    size_t near = 0;
    for (double g : gaps)
        if (std::fabs(g - median) <= 0.25 * median) ++near;
    if (near * 5 < gaps.size() * 3) return floor;
    return std::max(floor, kTrackedWordFactor * median);
}
