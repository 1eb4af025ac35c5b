#pragma once
// A text item: one text element of the intermediate XML with its runs. A line
// of the page is represented by its first item (the line head); the other
// items of the line are the head's segments.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rtf/RtfRect.h"
#include "rtf/TextRun.h"

class CRtfPage;
class CRtfColorList;
class CRtfFontTable;

// Bits of CRtfXmlText::itemFlags.
enum : uint32_t {
    kItemOrdered = 0x08,        // taken into a line order
    kItemInBand = 0x40,         // taken into a band
    kItemScript = 0x80,         // written as superscript or subscript
    kItemTable = 0x100,         // written as a table row
};

class CRtfXmlText {
public:
    RtfRect box;
    // The box as the source drew it, kept for items outside the page's reading
    // orientation, whose box is then remade from their measured runs.
    RtfRect drawnBox;
    CRtfPage* page = nullptr;
    int32_t rotation = 0;
    RunList runs;
    int32_t fontIndex = 0;
    int32_t colorIndex = 0;
    uint16_t fontSize = 10;
    // The size the source set, before the substituted face was fitted into the box
    // (0 until then): text that re-flows takes it back.
    uint16_t sourceSize = 0;
    RtfRect lineBox;
    // Absent until the first join; the items are owned by the page.
    std::optional<std::vector<CRtfXmlText*>> segments;
    uint32_t itemFlags = 0;
    int32_t angle = 0;
    CRtfColorList* colours = nullptr;
    CRtfFontTable* fonts = nullptr;
    // A column of vertical writing, read top to bottom; box is the column's own.
    bool verticalWriting = false;

    bool HasSegments() const { return segments && !segments->empty(); }
};
