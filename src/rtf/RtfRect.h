#pragma once
// Rectangles in XML units (left, top, right, bottom) with the intersection,
// union and emptiness rules the layout code was tuned with: a rectangle whose
// right is not beyond its left, or whose bottom is not below its top, is empty;
// intersecting or uniting empty rectangles gives the zero rectangle.
#include <algorithm>
#include <cstdint>

struct RtfRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    // Area as a floating value: products of page coordinates overflow 32 bits only in theory.
    double Area() const { return static_cast<double>(Width()) * static_cast<double>(Height()); }
    bool operator==(const RtfRect&) const = default;

    RtfRect Intersect(const RtfRect& o) const {
        RtfRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        if (r.Empty()) return {};
        return r;
    }
    RtfRect Union(const RtfRect& o) const {
        if (Empty()) return o.Empty() ? RtfRect{} : o;
        if (o.Empty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};
