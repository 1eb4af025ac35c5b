#pragma once
// XML units (108 per inch) to twips, truncated toward zero as the layout was tuned.
inline int ToTwips(int v) { return static_cast<int>(v * 13.6666); }
