#include "extract/HtmlTextRun.h"

#include <algorithm>

HtmlTextRun::HtmlTextRun(double top, double bottom, int font, const TextState& textState)
    : yMin(top), yMax(bottom), fontIndex(font), state(textState) {
    text.reserve(16);
    xRight.reserve(16);
}

void HtmlTextRun::addChar(unsigned u, double x, double w, int dir) {
    if (direction == 0) direction = dir;
    if (text.empty()) xMin = x;
    text.push_back(u);
    xRight.push_back(x + w);
    xMax = x + w;
}

void HtmlTextRun::finish() {
    if (direction == 2 && text.size() > 1) std::reverse(text.begin(), text.end());
}
