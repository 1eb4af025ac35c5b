#include <strings.h>

#include "rtf/CRtfFontTable.h"
#include "rtf/FontNameMapping.h"
#include "platform/FontCatalog.h"

bool FontEntry::Resolve(const std::string& faceName, bool& substituted) {
    substituted = false;
    if (faceName.empty()) return false;
    if (IsInstalled(faceName)) {
        name = faceName;
        return true;
    }
    std::string mapped;
    if (MapFontName(faceName, mapped) && IsInstalled(mapped)) {
        name = mapped;
        substituted = true;
        return true;
    }
    return false;
}

CRtfFontTable::CRtfFontTable() {
    auto entry = std::make_unique<FontEntry>();
    bool substituted = false;
    entry->Resolve("Times New Roman", substituted);
    entries.push_back(std::move(entry));
}

FontEntry* CRtfFontTable::AddFont(std::unique_ptr<XmlFontSpec> owned) {
    if (!owned) return nullptr;
    XmlFontSpec* font = owned.get();
    XmlFontSpec* earlier = nullptr;
    for (const auto& spec : specs)
        if (spec->entry && spec->name == font->name) {
            earlier = spec.get();
            break;
        }
    specs.push_back(std::move(owned));
    if (earlier) {
        font->entry = earlier->entry;
        font->substituted = earlier->substituted;
        return font->entry;
    }

    auto entry = std::make_unique<FontEntry>();
    bool substituted = false;
    bool resolved = entry->Resolve(font->name, substituted);
    if (!resolved && !font->alternate.empty()) resolved = entry->Resolve(font->alternate, substituted);
    if (!resolved) {
        font->entry = DefaultEntry();
        font->substituted = 1;
        return font->entry;
    }
    FontEntry* target = nullptr;
    for (const auto& e : entries)
        if (strcasecmp(e->name.c_str(), entry->name.c_str()) == 0) {
            target = e.get();
            break;
        }
    if (!target) {
        entry->index = static_cast<int>(entries.size());
        target = entry.get();
        entries.push_back(std::move(entry));
    }
    font->entry = target;
    font->substituted = substituted ? 1 : 0;
    return target;
}

XmlFontSpec* CRtfFontTable::FindSpec(int id) const {
    for (const auto& spec : specs)
        if (spec->index == id) return spec.get();
    return nullptr;
}

int CRtfFontTable::EntryIndexOfSpec(int id) const {
    XmlFontSpec* spec = FindSpec(id);
    return spec && spec->entry ? spec->entry->index : 0;
}

int CRtfFontTable::SizeOfSpec(int id) const {
    XmlFontSpec* spec = FindSpec(id);
    return spec && spec->size != 0 ? spec->size : 10;
}

void CRtfFontTable::NoteCharacter(int entryIndex, unsigned codePoint) {
    const std::pair<int, unsigned> key{entryIndex, codePoint};
    if (covering.count(key)) return;
    int use = -1;
    const FontEntry* entry = FindEntry(entryIndex);
    const std::string family = entry ? platform::FamilyWithCharacter(entry->name, codePoint) : std::string();
    if (entry && !family.empty() && strcasecmp(family.c_str(), entry->name.c_str()) != 0) {
        for (const auto& e : entries)
            if (strcasecmp(e->name.c_str(), family.c_str()) == 0) use = e->index;
        if (use < 0) {
            auto added = std::make_unique<FontEntry>();
            added->name = family;
            added->index = static_cast<int>(entries.size());
            use = added->index;
            entries.push_back(std::move(added));
        }
    }
    covering.emplace(key, use);
}

int CRtfFontTable::CoveringEntry(int entryIndex, unsigned codePoint) const {
    auto found = covering.find({entryIndex, codePoint});
    return found == covering.end() ? -1 : found->second;
}

FontEntry* CRtfFontTable::FindEntry(int index) const {
    for (const auto& e : entries)
        if (e->index == index) return e.get();
    return nullptr;
}
