#pragma once
// Bold and italic of a PDF font: from the parts of its name that font makers
// use for weights and slants, and from its font descriptor.
#include <string>
#include <vector>

class EmbeddedFont;

struct HtmlFontTraits {
    bool bold = false;
    bool italic = false;
};

HtmlFontTraits TraitsFromName(const std::string& name);
// Weight of 600 or more or the force-bold flag; an italic angle or the italic flag.
// Where the name and the descriptor are silent on the weight, the embedded font
// program tells it: the weight class of a TrueType or OpenType program, the weight
// entry of a Type 1 one.
HtmlFontTraits TraitsFromDescriptor(EmbeddedFont& font);
// Bold from the weight a font program gives itself; false when it says none.
bool BoldFontProgram(const std::vector<unsigned char>& program);
