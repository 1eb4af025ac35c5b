#pragma once
// Installed faces and text extents, as a 96-dpi screen would give them.
#include <string>

namespace platform {

// True when fontconfig knows the family by that name, including the
// metric-compatible aliases it defines (Times New Roman, Arial, Courier New, ...).
bool FontFamilyKnown(const std::string& family);

// The face fontconfig picks for a family name, as far as a substitute's choice needs it.
struct FamilyMatch {
    std::string family;      // the picked face's family, the named one where it has several; empty when none
    bool named = false;      // the face carries the name or a family bound to it (as FontFamilyKnown)
    bool monospace = false;  // fontconfig's spacing: monospace or character cells
    bool condensed = false;  // narrower than the normal width
};
FamilyMatch MatchFamily(const std::string& family);

struct TextExtent {
    int width = 0;
    int height = 0;
};

// Extent in screen pixels of `text` (Latin-1 bytes, one character each) set in
// the face at a character height of pixelHeight pixels; (0, 0) when no face resolves.
// Kerned: with the face's pair kerning applied, as word processors set text by default.
TextExtent MeasureText(const std::string& face, int pixelHeight, bool bold, bool italic, const std::string& text,
                       bool kerned = false);

constexpr int kScreenDpi = 96;

// The family whose face shows the character: `family` itself when the face it
// resolves to has a glyph for it, else the face fontconfig ranks first among
// those that do; empty when no installed face has one.
std::string FamilyWithCharacter(const std::string& family, unsigned codePoint);

}  // namespace platform
