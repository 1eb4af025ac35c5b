// The page's text beside what it draws visibly: its invisible runs (a scan's
// recognised layer) and words placed from outside the content stream.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "extract/HtmlPageBuffer.h"

namespace {

// The coverage grid has at most this many cells: a poster page must not cost more
// than a letter page, and a share needs no finer grain.
constexpr double kMostCells = 1 << 20;

}  // namespace

PageTextFacts HtmlPageBuffer::textFacts(int pageNumber) const {
    PageTextFacts facts;
    facts.page = pageNumber;
    for (const HtmlTextRun& run : runs) (run.hidden ? facts.invisibleText : facts.visibleText) = true;
    if (!facts.visibleText || pageWidth <= 0 || pageHeight <= 0) return facts;

    // Boxes overlap (lines set tighter than their fonts' boxes, copies drawn over
    // each other): the share is that of their union, counted on a grid.
    const double area = static_cast<double>(pageWidth) * pageHeight;
    const double cell = std::max(1.0, std::sqrt(area / kMostCells));
    const int columns = static_cast<int>(std::ceil(pageWidth / cell));
    const int rows = static_cast<int>(std::ceil(pageHeight / cell));
    std::vector<unsigned char> covered(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
    auto index = [cell](double v, int count) {
        return std::clamp(static_cast<int>(std::floor(v / cell)), 0, count);
    };
    size_t count = 0;
    for (const HtmlTextRun& run : runs) {
        if (run.hidden || !std::isfinite(run.xMin + run.xMax + run.yMin + run.yMax)) continue;
        const int x0 = index(std::min(run.xMin, run.xMax), columns), x1 = index(std::max(run.xMin, run.xMax), columns);
        const int y0 = index(run.yMin, rows), y1 = index(run.yMax, rows);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                unsigned char& c = covered[static_cast<size_t>(y) * static_cast<size_t>(columns) + static_cast<size_t>(x)];
                count += c == 0;
                c = 1;
            }
    }
    facts.textShare = std::min(1.0, static_cast<double>(count) / (static_cast<double>(columns) * rows));
    return facts;
}

void HtmlPageBuffer::settleHiddenRuns(bool readAsText) {
    if (readAsText) {
        for (HtmlTextRun& run : runs) run.hidden = false;
        return;
    }
    runs.remove_if([](const HtmlTextRun& run) { return run.hidden; });
}

void HtmlPageBuffer::addPlacedWord(const std::string& fontName, HtmlFontClass faceClass, double size, double left,
                                   double right, double baseline, const std::vector<unsigned>& text) {
    if (text.empty() || !std::isfinite(size + left + right + baseline) || size <= 0) return;
    Operation op;
    SetBox(op, baseline, size, kDefaultAscent, kDefaultDescent);
    op.fontIndex = fonts.add(HtmlFont(fontName.c_str(), recordSize(size), 0.0, HtmlColor(), {}, faceClass));
    op.size = size;
    // Its characters share its width evenly. A word of a right-to-left script comes
    // in reading order, so its first character stands rightmost, as it is drawn.
    std::vector<unsigned> placed = text;
    const bool rightToLeft = HtmlTextRun::RightToLeftScript(text.front());
    if (rightToLeft) std::reverse(placed.begin(), placed.end());
    const double step = std::max(right - left, 0.0) / static_cast<double>(placed.size());
    for (size_t i = 0; i < placed.size(); ++i) {
        Glyph g;
        g.x = left + static_cast<double>(i) * step;
        g.y = baseline;
        g.w = step;
        g.blank = placed[i] == 0x20;
        g.direction = rightToLeft ? 2 : 1;
        op.Add(g, &placed[i], g.blank ? 0 : 1);
    }
    const HtmlTextRun* previous = runs.empty() ? nullptr : &runs.back();
    const size_t before = runs.size();
    cutOperation(op);
    if (runs.size() == before) return;
    const auto first = std::next(runs.begin(), static_cast<std::ptrdiff_t>(before));
    for (auto it = first; it != runs.end(); ++it) it->placed = true;
    // A word after another on its line is never joined to it and stays clear of it,
    // as a drawn word after a blank is: the gap between them is a word gap.
    if (previous && std::fabs(previous->yMax - first->yMax) < 0.5 * size && previous->xMin < first->xMin)
        first->afterBreak = true;
}
