#pragma once
// What a PDF font object carries beyond its name, for those who judge its weight and
// its kind: its descriptor, and its embedded program read once for all of them.
#include <optional>
#include <span>
#include <vector>

#include <Object.h>

class GfxFont;
class XRef;

class EmbeddedFont {
public:
    EmbeddedFont(GfxFont& font, XRef* xref) : font(font), xref(xref) {}

    // The descriptor of a simple font, or of a composite font's descendant; null when none.
    Object Descriptor() const;
    // The embedded program, read on first use; none when the font embeds none.
    const std::vector<unsigned char>* Program();

    GfxFont& font;
    XRef* xref;

private:
    std::optional<std::optional<std::vector<unsigned char>>> program_;
};

// The OS/2 table of a TrueType or OpenType program, cut to the program; empty when
// the program is no sfnt or has none.
std::span<const unsigned char> Os2Table(const std::vector<unsigned char>& program);
// A big-endian number of the sfnt tables, 0 past the end.
unsigned SfntU16(std::span<const unsigned char> data, size_t at);
