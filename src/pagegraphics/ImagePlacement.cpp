// Placement cases of a cut-out picture: upright, turned a quarter either way,
// turned and mirrored, or anything else drawn as upright.
#include "pagegraphics/ImagePlacement.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace pagegraphics {
namespace {

// Matrices come through text with rounding: what is this small next to the
// matrix's own size counts as zero.
int Sign(double v, double scale) {
    if (std::fabs(v) <= scale * 1e-6) return 0;
    return v > 0 ? 1 : -1;
}

double Scale(const PictureMatrix& m) { return std::fabs(m.a) + std::fabs(m.b) + std::fabs(m.c) + std::fabs(m.d); }

std::string Format(const char* format, double x, double y, double z) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, x, y, z);
    return buf;
}

}  // namespace

bool ParseMatrix(const std::string& text, PictureMatrix& m) {
    std::string inner;
    for (char c : text)
        if (c != '[' && c != ']') inner += c;
    std::istringstream in(inner);
    double v[6];
    for (double& x : v)
        if (!(in >> x)) return false;
    m = {v[0], v[1], v[2], v[3], v[4], v[5]};
    return true;
}

bool IsSkewed(const PictureMatrix& m) {
    double s = Scale(m);
    bool upright = Sign(m.b, s) == 0 && Sign(m.c, s) == 0;
    bool turned = Sign(m.a, s) == 0 && Sign(m.d, s) == 0;
    return !upright && !turned;
}

PictureMirror MirrorOf(const PictureMatrix& m) {
    double s = Scale(m);
    PictureMirror mirror;
    if (Sign(m.b, s) != 0 || Sign(m.c, s) != 0) return mirror;
    mirror.acrossX = Sign(m.a, s) < 0;
    mirror.acrossY = Sign(m.d, s) < 0;
    return mirror;
}

std::string MirroredImageMatrix(int w, int h, const PictureMirror& mirror) {
    // The device's own matrix [w 0 0 -h 0 h] puts the first row at the top.
    char buf[160];
    std::snprintf(buf, sizeof buf, "/ImageMatrix [%d 0 0 %d %d %d]", mirror.acrossX ? -w : w, mirror.acrossY ? h : -h,
                  mirror.acrossX ? w : 0, mirror.acrossY ? 0 : h);
    return buf;
}

ImagePlacement PlacePicture(const PictureMatrix& m, double w, double h) {
    double s = Scale(m);
    int a = Sign(m.a, s), b = Sign(m.b, s), c = Sign(m.c, s), d = Sign(m.d, s);
    ImagePlacement p;
    if (w > 0 && h > 0) {
        p.p[0] = w;
        p.p[2] = -0.0;
        p.p[3] = h;
    }
    const int cw = static_cast<int>(std::ceil(w)), ch = static_cast<int>(std::ceil(h));
    if (a == 0 && b < 0 && c > 0) {
        // Turned a quarter clockwise: the page shows it h wide and w high.
        p.paperWidth = ch;
        p.paperHeight = cw;
        p.placementLine = Format("[0 -%g %g 0 0 %g] cm\n", p.p[0], p.p[3], p.p[0]);
        p.kind = PicturePlacement::QuarterClockwise;
    } else if (a == 0 && b > 0 && c < 0) {
        // Turned a quarter counter-clockwise: shown h wide and w high, the
        // picture's first column along the bottom.
        p.paperWidth = ch;
        p.paperHeight = cw;
        p.placementLine = Format("[0 %g -%g 0 %g 0] cm\n", w, h, h);
        p.kind = PicturePlacement::QuarterCounterClockwise;
    } else if (a == 0 && b > 0 && c > 0 && d == 0) {
        p.paperWidth = std::abs(cw);
        p.paperHeight = std::abs(ch);
        p.orientationText = "90 rotate\n 0 -" + std::to_string(static_cast<int>(w)) + " translate";
        p.placementLine = Format("[0 -%g %g 0 0 %g] cm\n", p.p[0], p.p[3], std::fabs(p.p[0]));
        p.kind = PicturePlacement::QuarterMirrored;
    } else {
        p.paperWidth = cw;
        p.paperHeight = ch;
        char buf[192];
        std::snprintf(buf, sizeof buf, "[%g %g %g %g %g %g] cm\n", p.p[0], p.p[1], p.p[2], p.p[3], p.p[4], p.p[5]);
        p.placementLine = buf;
        p.kind = (a > 0 && b == 0 && c == 0 && d > 0) ? PicturePlacement::Upright : PicturePlacement::Other;
    }
    return p;
}

std::string PaperSetupLine(const ImagePlacement& placement) {
    return std::to_string(placement.paperWidth) + " " + std::to_string(placement.paperHeight) + " false pdfSetup\n";
}

}  // namespace pagegraphics
