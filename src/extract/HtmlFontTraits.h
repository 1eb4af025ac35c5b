#pragma once
// Bold and italic of a PDF font: from the parts of its name that font makers
// use for weights and slants, and from its font descriptor.
#include <string>

class GfxFont;
class XRef;

struct HtmlFontTraits {
    bool bold = false;
    bool italic = false;
};

HtmlFontTraits TraitsFromName(const std::string& name);
// Weight of 600 or more or the force-bold flag; an italic angle or the italic flag.
HtmlFontTraits TraitsFromDescriptor(const GfxFont& font, XRef* xref);
