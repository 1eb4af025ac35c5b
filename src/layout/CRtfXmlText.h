#pragma once
// A text item: one text element of the intermediate XML with its runs. A line
// of the page is represented by its first item (the line head); the other
// items of the line are the head's segments.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "layout/CRtfSentence.h"
#include "rtf/RtfRect.h"

class CRtfPage;
class CRtfParagraphs;
class CRtfColorList;
class CRtfFontTable;

// Bits of CRtfXmlText::itemFlags.
enum : uint32_t {
    kItemAboveRight = 0x01,     // started a line above and right of the previous line
    kItemBeforeAboveRight = 0x02,  // the previous line of such an item
    kItemSorted = 0x04,         // taken by the vertical ordering
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
    uint8_t isToc = 0;
    CRtfSentence runs;
    int32_t fontIndex = 0;
    int32_t colorIndex = 0;
    uint16_t fontSize = 10;
    uint8_t fontSubstituted = 0;
    RtfRect lineBox;
    // Absent until the first join; the items are owned by the page.
    std::optional<std::vector<CRtfXmlText*>> segments;
    uint32_t itemFlags = 0;
    CRtfParagraphs* column = nullptr;
    int32_t lineTop = 0;
    int32_t angle = 0;
    CRtfColorList* colours = nullptr;
    CRtfFontTable* fonts = nullptr;
    // A column of vertical writing, read top to bottom; box is the column's own.
    uint8_t verticalWriting = 0;

    bool HasSegments() const { return segments && !segments->empty(); }

    // Line building.
    bool JoinLine(CRtfXmlText* item, int& outcome);
    // Takes another line into this one: the line (at the front of the segments, or at
    // the end) and then its own segments, which it gives up; the line boxes unite.
    void AbsorbLine(CRtfXmlText* line, bool atFront);
    // Lowers the font size of the item, its segments and all their runs.
    void ShrinkFont(int points);
    // Underlines the runs lying over a thin rule; true when a run was marked.
    bool UnderlineCheck(const RtfRect& rule);
    // Pieces stacked above one another beside a single piece, as in a table row.
    bool IsTableRow() const;

    // Writers.
    std::string WriteItem();
    std::string WriteLine();
    int ScriptKind(const CRtfXmlText& previous) const;
    // Number of blanks for the gap after the previous segment; 0 for none.
    int GapFiller(const CRtfXmlText& previous) const;
    // The item's text is set in a fixed-pitch face.
    static bool InFixedPitch(const CRtfXmlText& item);
    // Written after `previous` in one paragraph, cell or line, the item needs a blank:
    // it stands apart side by side or one above the other. Touching pieces are
    // parts of one word.
    bool StandsApartFrom(const CRtfXmlText& previous) const {
        const RtfRect& p = previous.box;
        return box.left > p.right || box.right < p.left || box.top >= p.bottom || box.bottom <= p.top;
    }
    std::string ApplyLinks(const std::string& rtf) const;
    std::string WriteFormattedParagraph();
    std::string WritePlainParagraph();

    // "AS IS": the item and each of its segments framed at their places.
    std::string WriteFrame();
    // "AS IS" for a column of vertical writing: a frame whose text runs down the page.
    std::string WriteVerticalFrame();
    // A piece rotated against its page as a text shape; empty when it has no rectangle.
    std::string WriteTextShape();
    // The shape's rectangle in twips (empty: no shape); records the shape for the next piece to follow.
    RtfRect TextShapeRect();
    // The angle the shape is turned by, in degrees counter-clockwise.
    int ShapeAngle() const;
};
