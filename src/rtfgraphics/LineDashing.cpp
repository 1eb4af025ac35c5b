// Choosing the shape line dash style that looks most like a PDF dash pattern.
#include "rtfgraphics/LineDashing.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The dash styles of the shape format, in line widths, dash first.
struct DashStyle {
    int value;
    std::vector<double> pattern;
};

const std::vector<DashStyle>& DashStyles() {
    static const std::vector<DashStyle> styles = {
        {1, {3, 1}},           {2, {1, 1}},          {3, {3, 1, 1, 1}},       {4, {3, 1, 1, 1, 1, 1}},
        {5, {1, 3}},           {6, {4, 3}},          {7, {8, 3}},             {8, {4, 3, 1, 3}},
        {9, {8, 3, 1, 3}},     {10, {8, 3, 1, 3, 1, 3}},
    };
    return styles;
}

// Longer patterns are compared by their first dashes: no style repeats past six.
constexpr size_t kLongestPattern = 12;

// Lengths compared by their ratio, so that a dash twice too long counts as much
// as one half as long; a tenth of the width keeps zero-length dots comparable.
double Distance(const std::vector<double>& source, const std::vector<double>& style) {
    const size_t n = std::lcm(source.size(), style.size());
    double sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += std::fabs(std::log((source[i % source.size()] + 0.1) / (style[i % style.size()] + 0.1)));
    return sum / static_cast<double>(n);
}

}  // namespace

int NearestLineDashing(const std::vector<double>& pattern, double width, bool roundOrSquareCaps) {
    if (pattern.empty() || pattern.size() > 2 * kLongestPattern) return 0;
    if (std::none_of(pattern.begin(), pattern.end(), [](double v) { return v > 0; })) return 0;
    if (std::any_of(pattern.begin(), pattern.end(), [](double v) { return v < 0 || !std::isfinite(v); })) return 0;
    // A hairline counts as half a unit wide: half a point on most pages.
    const double unit = width > 0 ? width : 0.5;
    // An odd pattern repeats with dashes and gaps exchanged.
    std::vector<double> source(pattern);
    if (source.size() % 2 == 1) source.insert(source.end(), pattern.begin(), pattern.end());
    if (source.size() > kLongestPattern) source.resize(kLongestPattern);
    double gaps = 0;
    for (size_t i = 0; i < source.size(); ++i) {
        // Caps add half the width at both ends of every dash, out of its gaps.
        const double grown = roundOrSquareCaps ? (i % 2 == 0 ? source[i] + width : source[i] - width) : source[i];
        source[i] = std::max(grown, 0.0) / unit;
        if (i % 2 == 1) gaps += source[i];
    }
    // Gaps the caps close leave the line looking solid.
    if (gaps < 0.25 * static_cast<double>(source.size() / 2)) return 0;
    int best = 0;
    double bestDistance = 0;
    for (const DashStyle& style : DashStyles()) {
        const double d = Distance(source, style.pattern);
        if (best == 0 || d < bestDistance) {
            best = style.value;
            bestDistance = d;
        }
    }
    return best;
}
