#include "extract/HtmlColor.h"

#include <GfxState.h>

namespace {
uint8_t ComponentByte(GfxColorComp c) {
    return static_cast<uint8_t>(((static_cast<long long>(c) * 255 + 0x8000) >> 16) & 0xff);
}
}  // namespace

HtmlColor::HtmlColor(const GfxRGB& rgb) : r(ComponentByte(rgb.r)), g(ComponentByte(rgb.g)), b(ComponentByte(rgb.b)) {}
