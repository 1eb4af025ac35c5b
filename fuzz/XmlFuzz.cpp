// fuzz_xml: arbitrary intermediate XML read back and written as RTF in a layout
// chosen by the first byte, page after page.
#include <cstdint>
#include <cstdio>

#include "FuzzScratch.h"
#include "app/RtfEngine.h"
#include "rtf/GraphicsList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int mode = data[0] % 4;
    std::string xml = fuzz::WriteInput("input.xml", data + 1, size - 1);
    std::string rtf = fuzz::ScratchDir() + "/output.rtf";
    auto doc = RtfEngine::Create(xml, rtf);
    if (!doc || !doc->OpenRtf()) return 0;
    doc->SetLayoutMode(mode);
    GraphicsList graphics;
    constexpr int kPages = 8;
    for (int n = 1; n <= kPages; ++n) {
        if (!doc->ReadPage(n)) break;
        doc->AddGraphics(graphics);
        doc->WritePage({.first = n == 1, .last = n == kPages});
    }
    return 0;
}
