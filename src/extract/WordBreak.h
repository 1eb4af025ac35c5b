#pragma once
// Where a gap between two glyphs of one text-showing operation is a word break.
#include <vector>

// The smallest gap (in the units of em) that breaks a word, given all gaps
// between the glyphs of one operation. Typesetters squeeze word gaps of justified
// lines to about 0.15 em while kerning stays below about 0.05 em, so a tenth of
// an em parts them; in a line whose letters sit tight, a gap clearly wider than
// its letter gaps breaks too.
// The gaps are reordered.
double WordBreakThreshold(std::vector<double>& gaps, double em);
