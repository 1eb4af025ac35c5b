#include "extract/EmbeddedFont.h"

#include <GfxFont.h>
#include <XRef.h>

Object EmbeddedFont::Descriptor() const {
    if (!xref || !font.getID() || font.getID()->num < 0) return Object(objNull);
    Object dict = xref->fetch(*font.getID());
    if (!dict.isDict()) return Object(objNull);
    Object descriptor = dict.dictLookup("FontDescriptor");
    if (descriptor.isDict()) return descriptor;
    Object descendants = dict.dictLookup("DescendantFonts");
    if (descendants.isArray() && descendants.arrayGetLength() > 0) {
        Object descendant = descendants.arrayGet(0);
        if (descendant.isDict()) return descendant.dictLookup("FontDescriptor");
    }
    return Object(objNull);
}

const std::vector<unsigned char>* EmbeddedFont::Program() {
    if (!program_) {
        Ref embedded;
        program_.emplace();
        if (xref && font.getEmbeddedFontID(&embedded)) *program_ = font.readEmbFontFile(xref);
    }
    return *program_ ? &**program_ : nullptr;
}

unsigned SfntU16(std::span<const unsigned char> data, size_t at) {
    return at + 2 <= data.size() ? static_cast<unsigned>(data[at] << 8 | data[at + 1]) : 0;
}

std::span<const unsigned char> Os2Table(const std::vector<unsigned char>& program) {
    const std::span<const unsigned char> p(program);
    auto u32 = [&](size_t at) { return static_cast<unsigned long>(SfntU16(p, at)) << 16 | SfntU16(p, at + 2); };
    const unsigned long version = u32(0);
    if (version != 0x00010000ul && version != 0x4F54544Ful /* OTTO */ && version != 0x74727565ul /* true */) return {};
    const unsigned tables = SfntU16(p, 4);
    for (unsigned i = 0; i < tables && 12 + 16 * (i + 1) <= p.size(); ++i) {
        const size_t record = 12 + 16 * static_cast<size_t>(i);
        if (u32(record) != 0x4F532F32ul /* OS/2 */) continue;
        const unsigned long offset = u32(record + 8), length = u32(record + 12);
        if (offset >= p.size()) return {};
        return p.subspan(offset, std::min<size_t>(length, p.size() - offset));
    }
    return {};
}
