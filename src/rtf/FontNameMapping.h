#pragma once
// From the font names a PDF uses to the faces installed here, and the RTF
// family class of each face.
#include <cstddef>
#include <string>

#include "extract/HtmlFontClass.h"

// Family name for a fontspec family value (the value cut at its first blank).
std::string NormaliseFamily(const std::string& value);
// Drops a subset prefix ("ABCDEF+") and turns "," into "-"; nonEmpty tells whether anything is left.
std::string CleanFaceName(const std::string& name, bool* nonEmpty = nullptr);
// True when the font system knows the family (metric-compatible aliases count).
// Names are tested whole whatever their length: fontconfig has no face-name
// limit, and cutting a long name could make it match an unrelated family.
bool IsInstalled(const std::string& name);
// Looks the name up in the mapping file xml2rtffont.map; false when there is no mapping.
bool MapFontName(const std::string& name, std::string& mapped);
// RTF family control word of a face ("\froman", ...); empty when the face has none.
std::string FamilyClass(const std::string& faceName);
// Settings key whose value "DLL_FONT" names the folder of the mapping file (empty: top level).
// The folder is read again on the next lookup after every call.
void SetFontMapKey(const std::string& key);

// One row of the family substitution table: a font name and the family it stands for.
struct FontSubstitution {
    const char* key;
    const char* family;
};
// The family substitution table. Row 0 (empty key, "Times New Roman") matches
// every name; the other rows ascend by key without regard to case, so that a
// lookup from the last row down finds a longer key before its beginning.
const FontSubstitution* FontSubstitutionRows(size_t& count);
// The row that decides a value's family: row 0 when no other key occurs in it.
const FontSubstitution& FamilyRow(const std::string& value);

// The face for a fontspec family value of a font of the given class: the
// family substitution where it gives a face of that class (and always for a
// font of unknown class), else the installed family of the font's own name,
// else fontconfig's match for it, else an installed face of the class and width.
std::string FaceForFont(const std::string& value, HtmlFontClass fontClass);
// RTF family control word of a font table entry: the family class table's,
// else the one of the installed face's kind ("\fswiss", "\froman", "\fmodern").
std::string FontTableClass(const std::string& faceName);
