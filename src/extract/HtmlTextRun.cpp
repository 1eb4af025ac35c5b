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

void HtmlTextRun::addVerticalChar(unsigned u, double x, double y, double size) {
    if (text.empty()) {
        direction = 3;
        xMin = x;
        xMax = x + size;
        yMin = y - size;
        yMax = y;
    }
    yMin = std::min(yMin, y - size);
    yMax = std::max(yMax, y);
    text.push_back(u);
    xRight.push_back(x + size);
}

bool HtmlTextRun::RightToLeftScript(unsigned u) { return u >= 0x0590 && u <= 0x05ff; }

void HtmlTextRun::finish() {
    // Direction 2 also marks text turned upside down, whose characters arrive in
    // reading order already: only a right-to-left script is drawn back to front.
    if (direction == 2 && text.size() > 1 && RightToLeftScript(text.front())) std::reverse(text.begin(), text.end());
}
