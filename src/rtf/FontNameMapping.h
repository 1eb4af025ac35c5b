#pragma once
// From the font names a PDF uses to the faces installed here, and the RTF
// family class of each face.
#include <cstddef>
#include <string>

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
