#pragma once
// One line of text: its segments left to right, superscripts and subscripts,
// gaps as blanks, and hyperlink fields.
#include <string>

#include "layout/TextShapeChain.h"
#include "rtf/CRtfXmlText.h"

class Column;

// Where a line is written into a column of a flowing page: a table row takes its
// cell edges from the column's left and its first paragraph from the line's top
// below the fillers. Lines written elsewhere have neither.
struct LineInColumn {
    const Column* column = nullptr;
    int top = 0;
};

// The item as its page places it: a line, a turned text shape (following the page's
// chain of shapes), or a vertical frame.
std::string WriteItem(CRtfXmlText& item, TextShapeChain& chain, const LineInColumn& place = {});
std::string WriteLine(CRtfXmlText& item, const LineInColumn& place = {});
// Where a short piece stands against the piece before it.
enum class Script { None, Super, Sub };
Script ScriptKind(const CRtfXmlText& item, const CRtfXmlText& previous);
// Number of blanks for the gap after the previous segment; 0 for none.
int GapFiller(const CRtfXmlText& item, const CRtfXmlText& previous);
// The item's text is set in a fixed-pitch face.
bool InFixedPitch(const CRtfXmlText& item);
// Written after `previous` in one paragraph, cell or line, the item needs a blank:
// it stands apart side by side or one above the other. Touching pieces are
// parts of one word.
inline bool StandsApartFrom(const CRtfXmlText& item, const CRtfXmlText& previous) {
    const RtfRect& b = item.box;
    const RtfRect& p = previous.box;
    return b.left > p.right || b.right < p.left || b.top >= p.bottom || b.bottom <= p.top;
}
