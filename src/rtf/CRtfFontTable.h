#pragma once
// Fonts of the RTF engine: the entries of the RTF font table (installed faces)
// and the font specifications read from the intermediate XML, each mapped to
// one entry.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct RtfColorData;

// One entry of the RTF font table; index is its \f number.
class FontEntry {
public:
    // Takes the name when it is an installed face, else its mapping-file
    // replacement when that one is installed (substituted); false otherwise.
    bool Resolve(const std::string& faceName, bool& substituted);

    std::string name;
    int index = 0;
};

// One fontspec of the XML; index holds its id.
class XmlFontSpec {
public:
    std::string name;
    int index = 0;
    FontEntry* entry = nullptr;
    RtfColorData* colour = nullptr;
    uint16_t size = 10;
    std::string alternate;
    uint8_t substituted = 0;
};

class CRtfFontTable {
public:
    // Entry 0 is the default face, listed even when it does not resolve.
    CRtfFontTable();

    // Registers the spec (the table takes it over) and gives its entry; none only when nothing could be created.
    FontEntry* AddFont(std::unique_ptr<XmlFontSpec> font);
    int EntryIndexOfSpec(int id) const;
    int SizeOfSpec(int id) const;
    XmlFontSpec* FindSpec(int id) const;
    FontEntry* FindEntry(int index) const;
    // Characters beyond the code page that an entry's face has no glyph for are
    // written in a face that has one: learnt while the document is read, before
    // the table is written.
    void NoteCharacter(int entryIndex, unsigned codePoint);
    // The entry to write the character in instead of entryIndex; -1 to keep it.
    int CoveringEntry(int entryIndex, unsigned codePoint) const;
    FontEntry* DefaultEntry() const { return entries.empty() ? nullptr : entries.front().get(); }

    // Specs and items keep pointers to the entries, so each entry stays where it was made.
    std::vector<std::unique_ptr<FontEntry>> entries;
    std::vector<std::unique_ptr<XmlFontSpec>> specs;
    std::map<std::pair<int, unsigned>, int> covering;
};
