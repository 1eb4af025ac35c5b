// Word breaks from the gaps of one text-showing operation.
#include "extract/WordBreak.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWordGap = 0.1;
// Below this no gap is taken for a word gap, however tight the letters.
constexpr double kNarrowestWordGap = 0.09;
// How much wider than the letter gaps a word gap is at least.
constexpr double kClearlyWider = 0.05;
// Fewer gaps than this tell nothing about the letter gaps: in a line of some
// length, most gaps lie between letters.
constexpr size_t kGapsToLearn = 8;

}  // namespace

double WordBreakThreshold(std::vector<double>& gaps, double em) {
    em = std::fabs(em);
    const double threshold = std::max(kWordGap * em, 0.5);
    if (gaps.size() < kGapsToLearn || em <= 0) return threshold;
    auto letters = gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() * 3 / 4);
    std::nth_element(gaps.begin(), letters, gaps.end());
    const double letterGap = *letters;
    return std::max(std::min(threshold, std::max(kNarrowestWordGap * em, letterGap + kClearlyWider * em)), 0.5);
}
