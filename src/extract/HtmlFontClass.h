#pragma once
// What kind of type a PDF font is (serif, sans, monospace; condensed or not),
// so that the font table can offer a face of the same kind when the font
// itself is not installed.
#include <string>
#include <string_view>
#include <vector>

class EmbeddedFont;

enum class FaceKind { Unknown, Serif, Sans, Mono };

struct HtmlFontClass {
    FaceKind kind = FaceKind::Unknown;
    bool condensed = false;

    bool operator==(const HtmlFontClass&) const = default;
    bool Known() const { return kind != FaceKind::Unknown || condensed; }
};

// The value of the fontspec's face attribute ("sans", "serif-condensed", ...); empty when nothing is known.
std::string FontClassValue(HtmlFontClass fontClass);
// The reverse; an unknown or missing value gives the unknown class.
HtmlFontClass FontClassFromValue(std::string_view value);

// What the parts of a font or family name say ("Helvetica-Condensed", "Liberation Mono", "CMTT10").
HtmlFontClass FontClassFromName(std::string_view name);

// What the sfnt program of an embedded TrueType or OpenType font says in its
// OS/2 table: family class, PANOSE and width class.
HtmlFontClass FontClassFromProgram(const std::vector<unsigned char>& program);

// The class of one PDF font, from its name, its embedded program and its
// descriptor, in that order of trust for the kind.
HtmlFontClass FontClassOf(EmbeddedFont& font);
