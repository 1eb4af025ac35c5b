// Texts of the recorded graphic entries, written the way the PostScript device
// writes the same state, so that one parser reads both.
#include "pagegraphics/GraphicsStateText.h"

#include <GfxState.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace pagegraphics {
namespace {

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...) {
    char buf[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    if (n > 0) out.append(buf, static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1);
}

// Device colour spaces keep their own operators; every other space is written
// through its RGB equivalent, which any reader of the text understands.
std::string ColourText(GfxColorSpace* space, GfxState* state, bool fill) {
    std::string out;
    GfxColorSpaceMode mode = space ? space->getMode() : csDeviceGray;
    if (mode == csDeviceGray || mode == csCalGray) {
        GfxGray gray;
        fill ? state->getFillGray(&gray) : state->getStrokeGray(&gray);
        Append(out, fill ? "%g g\n" : "%g G\n", colToDbl(gray));
    } else if (mode == csDeviceCMYK) {
        GfxCMYK c;
        fill ? state->getFillCMYK(&c) : state->getStrokeCMYK(&c);
        Append(out, fill ? "%g %g %g %g k\n" : "%g %g %g %g K\n", colToDbl(c.c), colToDbl(c.m), colToDbl(c.y),
               colToDbl(c.k));
    } else {
        GfxRGB rgb;
        fill ? state->getFillRGB(&rgb) : state->getStrokeRGB(&rgb);
        Append(out, fill ? "%g %g %g rg\n" : "%g %g %g RG\n", colToDbl(rgb.r), colToDbl(rgb.g), colToDbl(rgb.b));
    }
    return out;
}

}  // namespace

std::string MatrixText(const double* m) {
    std::string out;
    Append(out, "[%g %g %g %g %g %g]", m[0], m[1], m[2], m[3], m[4], m[5]);
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
    Append(out, "%g %g %g %g re\n", std::min(x0, x2), std::min(y0, y2), width, height);
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
        Append(out, "%g %g m\n", sub->getX(0), sub->getY(0));
        int j = 1;
        while (j < n) {
            if (sub->getCurve(j) && j + 2 < n) {
                Append(out, "%g %g %g %g %g %g c\n", sub->getX(j), sub->getY(j), sub->getX(j + 1), sub->getY(j + 1),
                       sub->getX(j + 2), sub->getY(j + 2));
                j += 3;
            } else {
                Append(out, "%g %g l\n", sub->getX(j), sub->getY(j));
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
    for (size_t i = 0; i < dash.size(); ++i) Append(out, i ? " %g" : "%g", dash[i]);
    Append(out, "] %g d\n", start);
    Append(out, "%d i\n", state->getFlatness());
    Append(out, "%d j\n", state->getLineJoin());
    Append(out, "%d J\n", state->getLineCap());
    Append(out, "%g M\n", state->getMiterLimit());
    Append(out, "%g w\n", state->getLineWidth());
    return out;
}

}  // namespace pagegraphics
