#pragma once
// Ratios of lengths in the layout. Heights and widths of zero occur (turned
// pages, empty pieces); a denominator below one unit counts as one, so that a
// ratio is always a finite number.
#include <algorithm>

inline double LengthRatio(double a, int b) { return a / std::max(b, 1); }
