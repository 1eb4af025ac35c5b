#pragma once
// One font record of the extraction: name, integer size and colour; the style
// flags come from the name and the font's descriptor.
#include <string>

#include "extract/HtmlColor.h"
#include "extract/HtmlFontClass.h"
#include "extract/HtmlFontTraits.h"

class HtmlFont {
public:
    // The name given to fonts that have none.
    static const char* DefaultName();

    // name may be null: the default name is used. The descriptor's traits add to the name's.
    HtmlFont(const char* name, int size, double extraSize, HtmlColor color, HtmlFontTraits descriptor = {},
             HtmlFontClass faceClass = {});

    bool operator==(const HtmlFont&) const = default;

    // The same record in bold: text the producer drew several times over itself.
    HtmlFont Emboldened() const {
        HtmlFont copy = *this;
        copy.bold = true;
        return copy;
    }

    int getSize() const { return size; }
    bool isBold() const { return bold; }
    bool isItalic() const { return italic; }
    bool isOblique() const { return oblique; }
    const std::string& getName() const { return name; }
    const HtmlColor& getColor() const { return color; }
    HtmlFontClass getFaceClass() const { return faceClass; }
    // The style value of the data line: 1 bold, else 2 italic, else 0.
    unsigned style() const { return bold ? 1u : italic ? 2u : 0u; }

private:
    int size;
    double extraSize;
    bool italic = false;
    bool bold = false;
    bool oblique = false;
    std::string name;
    HtmlColor color;
    HtmlFontClass faceClass;
};
