// Texts of the recorded graphic entries, written the way the PostScript device
// writes the same state, so that one parser reads both.
#include "pagegraphics/GraphicsStateText.h"

#include <GfxState.h>

#include <algorithm>
#include <cmath>
#include <charconv>
#include <initializer_list>
#include <string_view>

namespace pagegraphics {
namespace {

// Numbers exactly as "%g" prints them, without the cost of formatted printing:
// a drawing-heavy page records tens of thousands of paths.
void AppendNumber(std::string& out, double v) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    if (ec == std::errc()) out.append(buf, end);
}

// The numbers, each followed by a blank, then the operator and a line break.
void AppendLine(std::string& out, std::initializer_list<double> numbers, std::string_view op) {
    for (double v : numbers) {
        AppendNumber(out, v);
        out += ' ';
    }
    out += op;
    out += '\n';
}

// Device colour spaces keep their own operators; every other space is written
// through its RGB equivalent, which any reader of the text understands.
std::string ColourText(GfxColorSpace* space, GfxState* state, bool fill) {
    std::string out;
    GfxColorSpaceMode mode = space ? space->getMode() : csDeviceGray;
    if (mode == csDeviceGray || mode == csCalGray) {
        GfxGray gray;
        fill ? state->getFillGray(&gray) : state->getStrokeGray(&gray);
        AppendLine(out, {colToDbl(gray)}, fill ? "g" : "G");
    } else if (mode == csDeviceCMYK) {
        GfxCMYK c;
        fill ? state->getFillCMYK(&c) : state->getStrokeCMYK(&c);
        AppendLine(out, {colToDbl(c.c), colToDbl(c.m), colToDbl(c.y), colToDbl(c.k)}, fill ? "k" : "K");
    } else {
        GfxRGB rgb;
        fill ? state->getFillRGB(&rgb) : state->getStrokeRGB(&rgb);
        AppendLine(out, {colToDbl(rgb.r), colToDbl(rgb.g), colToDbl(rgb.b)}, fill ? "rg" : "RG");
    }
    return out;
}

}  // namespace

std::string MatrixText(const double* m) {
    std::string out = "[";
    for (int i = 0; i < 6; ++i) {
        if (i) out += ' ';
        AppendNumber(out, m[i]);
    }
    out += ']';
    return out;
}

namespace {

// A path that is one upright rectangle is written as "re", as the device
// writes it: its readers know its size from that, and outline rectangles too
// thin to be seen.
bool AppendRectangle(std::string& out, const GfxPath* path) {
    if (path->getNumSubpaths() != 1) return false;
    const GfxSubpath* sub = path->getSubpath(0);
    if (sub->getNumPoints() != 5 || sub->getX(4) != sub->getX(0) || sub->getY(4) != sub->getY(0)) return false;
    for (int i = 1; i < 4; ++i)
        if (sub->getCurve(i)) return false;
    const double x0 = sub->getX(0), y0 = sub->getY(0), x1 = sub->getX(1), y1 = sub->getY(1);
    const double x2 = sub->getX(2), y2 = sub->getY(2), x3 = sub->getX(3), y3 = sub->getY(3);
    double width, height;
    if (x0 == x1 && x2 == x3 && y0 == y3 && y1 == y2) {
        width = std::fabs(x2 - x0);
        height = std::fabs(y1 - y0);
    } else if (x0 == x3 && x1 == x2 && y0 == y1 && y2 == y3) {
        width = std::fabs(x1 - x0);
        height = std::fabs(y2 - y0);
    } else {
        return false;
    }
    AppendLine(out, {std::min(x0, x2), std::min(y0, y2), width, height}, "re");
    return true;
}

}  // namespace

std::string PathText(const GfxPath* path) {
    std::string out;
    if (!path) return out;
    if (AppendRectangle(out, path)) return out;
    for (int i = 0; i < path->getNumSubpaths(); ++i) {
        const GfxSubpath* sub = path->getSubpath(i);
        int n = sub->getNumPoints();
        if (n == 0) continue;
        AppendLine(out, {sub->getX(0), sub->getY(0)}, "m");
        int j = 1;
        while (j < n) {
            if (sub->getCurve(j) && j + 2 < n) {
                AppendLine(out,
                           {sub->getX(j), sub->getY(j), sub->getX(j + 1), sub->getY(j + 1), sub->getX(j + 2),
                            sub->getY(j + 2)},
                           "c");
                j += 3;
            } else {
                AppendLine(out, {sub->getX(j), sub->getY(j)}, "l");
                ++j;
            }
        }
        if (sub->isClosed()) out += "h\n";
    }
    return out;
}

std::string FillColourText(GfxState* state) { return ColourText(state->getFillColorSpace(), state, true); }

std::string StrokeColourText(GfxState* state) { return ColourText(state->getStrokeColorSpace(), state, false); }

std::string LineStateText(GfxState* state) {
    std::string out = MatrixText(state->getCTM()) + " cm\n";
    double start = 0;
    const std::vector<double>& dash = state->getLineDash(&start);
    out += "[";
    for (size_t i = 0; i < dash.size(); ++i) {
        if (i) out += ' ';
        AppendNumber(out, dash[i]);
    }
    out += "] ";
    AppendLine(out, {start}, "d");
    out += std::to_string(state->getFlatness()) + " i\n";
    out += std::to_string(state->getLineJoin()) + " j\n";
    out += std::to_string(state->getLineCap()) + " J\n";
    AppendLine(out, {state->getMiterLimit()}, "M");
    AppendLine(out, {state->getLineWidth()}, "w");
    return out;
}

}  // namespace pagegraphics
