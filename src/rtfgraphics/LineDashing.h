#pragma once
// The shape line dash style nearest to a PDF line dash pattern.
#include <vector>

// `pattern` and `width` in the same units (the path's), `roundOrSquareCaps`
// when every dash grows by the width at its ends. 0 (solid) for no pattern.
int NearestLineDashing(const std::vector<double>& pattern, double width, bool roundOrSquareCaps);
