#pragma once
// XML units (108 per inch) to twips (1440 per inch), truncated toward zero as the layout was tuned.
// The exact ratio matters: pages must keep the source's paper size and frames their place on it.
inline int ToTwips(int v) { return static_cast<int>(static_cast<long long>(v) * 40 / 3); }
// A length first scaled by a factor: the product is kept in double precision and truncated once
// (held inside the integer range, as boxes of a hostile file may be anything).
inline int ScaledToTwips(double v) {
    double t = v * 40.0 / 3.0;
    if (!(t > -2147483647.0)) return t != t ? 0 : -2147483647;
    return t < 2147483647.0 ? static_cast<int>(t) : 2147483647;
}
