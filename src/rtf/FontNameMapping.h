#pragma once
// From the font names a PDF uses to the faces installed here, and the RTF
// family class of each face.
#include <string>

// Family name for a fontspec family value (the value cut at its first blank).
std::string NormaliseFamily(const std::string& value);
// Drops a subset prefix ("ABCDEF+") and turns "," into "-"; nonEmpty tells whether anything is left.
std::string CleanFaceName(const std::string& name, bool* nonEmpty = nullptr);
// True when the font system knows the family (metric-compatible aliases count).
bool IsInstalled(const std::string& name);
// Looks the name up in the mapping file xml2rtffont.map; false when there is no mapping.
bool MapFontName(const std::string& name, std::string& mapped);
// RTF family control word of a face ("\froman", ...); empty when the face has none.
std::string FamilyClass(const std::string& faceName);
// Settings key whose value "DLL_FONT" names the folder of the mapping file (empty: top level).
void SetFontMapKey(const std::string& key);
