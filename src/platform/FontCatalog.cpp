// Stand-in until the fontconfig and FreeType layer exists.
#include "platform/FontCatalog.h"

namespace platform {

bool FontFamilyKnown(const std::string& family) { return family == "Times New Roman"; }

TextExtent MeasureText(const std::string& face, int pixelHeight, bool, bool, const std::string& text) {
    if (face.empty()) return {};
    return {static_cast<int>(text.size()) * pixelHeight / 2, pixelHeight};
}

}  // namespace platform
