// Where a text item rotated against its page goes as a shape: its rectangle in
// twips, and the chaining that lines up successive pieces of one rotated line.
#include <cmath>
#include <cstdlib>

#include "rtf/CRtfXmlText.h"
#include "rtf/CRtfPage.h"
#include "rtf/RtfUnits.h"
#include "layout/TextShapeRect.h"

namespace {

// Degrees to radians as the shapes were tuned (pi taken as 3.14).
constexpr double kDegree = 0.01744444444444445;
constexpr double kHalfTurnDegrees = 180.0 / 3.14;

// The quarter-turn forms of rotation 270 whose footprint is turned: reading down the page.
bool TurnedDown(int angle) { return (angle > -90 && angle < -45) || (angle >= 270 && angle <= 314); }

// Slope from the previous base to this one; a piece straight above or below the
// previous one has an infinite slope, and one at the same place none.
double Slope(int dx, int dy) {
    if (dx != 0) return static_cast<double>(dy) / dx;
    if (dy == 0) return 0.0;
    return dy > 0 ? INFINITY : -INFINITY;
}

int Half(int v) { return v / 2; }

RtfRect AroundCentre(double x, double y, int w, int h) {
    return {static_cast<int>(x - Half(w)), static_cast<int>(y - Half(h)), static_cast<int>(x + Half(w)),
            static_cast<int>(y + Half(h))};
}

// Far beyond any page (pages end at 2375 units): a box out there gets no shape, and
// the sums below stay well inside the integer range.
constexpr int kFarOff = 100000;
bool WithinReach(const RtfRect& b) {
    for (int v : {b.left, b.top, b.right, b.bottom})
        if (v < -kFarOff || v > kFarOff) return false;
    return true;
}

enum class Kind { Up, Down, Along };

// The base rectangle moved after the last shape when the direction from the last
// base agrees with the item's angle within 5 degrees.
RtfRect Chain(const RtfRect& base, const TextShapeChain& chain, Kind kind, int reference) {
    double q = Slope(base.left - chain.baseLeft, base.top - chain.baseTop);
    int d = 0;
    switch (kind) {
        case Kind::Up: d = static_cast<int>(-std::atan(q) * kHalfTurnDegrees); break;
        case Kind::Down: d = 1 - static_cast<int>(-std::atan(q) * kHalfTurnDegrees); break;
        case Kind::Along: d = static_cast<int>(std::atan(q) * kHalfTurnDegrees); break;
    }
    if (d < reference - 5 || d > reference + 5) return base;
    const RtfRect& last = chain.lastShape;
    double cx = Half(last.left + last.right), cy = Half(last.top + last.bottom);
    int w = base.Width(), h = base.Height();
    if (kind == Kind::Up) {
        if (reference == 90) {
            if (base.top == chain.baseTop) return base;
            return {base.left, last.top - h, base.right, last.top};
        }
        double t = reference * kDegree, D = (last.Height() + h) / 2.0;
        return AroundCentre(cx + D * std::cos(t), cy - D * std::sin(t), w, h);
    }
    if (kind == Kind::Down && reference == 90) return {base.left, last.bottom, base.right, last.bottom + h};
    double phi = (90 - reference) * kDegree;
    double D = kind == Kind::Down ? (last.Height() + h) / 2.0 : (last.Width() + w) / 2.0;
    return AroundCentre(cx + D * std::sin(phi), cy + D * std::cos(phi), w, h);
}

}  // namespace

int ShapeAngle(const CRtfXmlText& item) {
    // The extraction writes no angle of its own: a turned item stands at its quarter turn.
    if (item.angle != 0) return item.angle;
    return item.rotation;
}

RtfRect TextShapeRect(CRtfXmlText& item, TextShapeChain& chain) {
    if (!item.page || item.page->rotation != 0 || item.rotation == 0 || !WithinReach(item.box)) return {};
    const RtfRect& b = item.box;
    const int w = b.Width(), h = b.Height();
    const int a = ShapeAngle(item);
    RtfRect rect;
    if (item.rotation == 90) {
        if (a > 45 && a <= 90) {
            int left = ScaledToTwips(b.left - 0.55 * h);
            int top = ToTwips(b.top - w);
            RtfRect base{left, top, left + ToTwips(h), top + ToTwips(w + 2)};
            rect = chain.lastAngle != 0 ? Chain(base, chain, Kind::Up, a) : base;
            chain.baseLeft = base.left;
            chain.baseTop = base.top;
        } else if (a > 0 && a <= 45) {
            rect = {ToTwips(b.left), ScaledToTwips(b.top * 0.87), ToTwips(b.right), ScaledToTwips(b.bottom * 0.87)};
            chain.baseLeft = rect.left;
            chain.baseTop = rect.top;
        }
    } else if (item.rotation == 270) {
        // Written as 270 and up, the angle counts the other way round: 270 reads
        // straight down the page like -90, and must chain like it.
        const int reference = a >= 270 ? 360 - a : std::abs(a);
        RtfRect base;
        Kind kind = Kind::Along;
        if (TurnedDown(a)) {
            int left = ToTwips(b.left), top = ToTwips(b.top);
            base = {left, top, left + ToTwips(h + 2), top + ScaledToTwips(1.4 * w + 2)};
            kind = Kind::Down;
        } else {
            base = {ToTwips(b.left), ToTwips(b.top), ToTwips(b.right), ToTwips(b.bottom)};
            if (chain.lastAngle == 0) return base;
        }
        rect = chain.lastAngle != 0 ? Chain(base, chain, kind, reference) : base;
        chain.baseLeft = base.left;
        chain.baseTop = base.top;
    } else if (item.rotation == 180) {
        int left = ScaledToTwips(b.left - 2.5 * w - item.page->margins.left);
        int top = ToTwips(b.top);
        return {left, top, left + ScaledToTwips(2.5 * w), top + ToTwips(h)};
    }
    // Only a shape that was written can be the one the next piece follows.
    if (!rect.Empty()) {
        chain.lastShape = rect;
        chain.lastAngle = a;
    }
    return rect;
}
