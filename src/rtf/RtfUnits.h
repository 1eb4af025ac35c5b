#pragma once
// XML units (108 per inch) to twips (1440 per inch), truncated toward zero as the layout was tuned.
// The exact ratio matters: pages must keep the source's paper size and frames their place on it.
inline int ToTwips(int v) { return static_cast<int>(static_cast<long long>(v) * 40 / 3); }
// A length first scaled by a factor: the product is kept in double precision and truncated once.
inline int ScaledToTwips(double v) { return static_cast<int>(v * 40.0 / 3.0); }
