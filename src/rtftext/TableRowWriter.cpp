// A table row's RTF. Cell edges are positions from the column's left edge, the
// origin of the row's own left indent, so they always increase along the row.
#include "rtftext/TableRowWriter.h"

#include <algorithm>
#include <cstdio>

#include "layout/TableRow.h"
#include "rtf/CRtfPage.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfUnits.h"
#include "rtf/TextMeasure.h"
#include "rtftext/ColumnWriter.h"
#include "rtftext/RunWriter.h"

namespace {

std::string CellParagraph(int spacing, const std::string& text) {
    char head[80];
    std::snprintf(head, sizeof head, "\\pard\\li0\\ri0\\sl-%d\\widctlpar\\intbl ", std::max(ToTwips(spacing), 1));
    return head + text;
}

std::string Cell(int width, int right, const std::string& text) {
    char def[320];
    std::snprintf(def, sizeof def,
                  "\\clvertalt\\clbrdrt\\brdrnone\\clbrdrl\\brdrnone\\clbrdrb\\brdrnone\\clbrdrr\\brdrnone\\cltxlrtb"
                  "\\clNoWrap\\clftsWidth3\\clwWidth%u\\clpadt0\\clpadr0\\clpadft3\\clpadfr3\\cellx%u ",
                  static_cast<unsigned>(ToTwips(std::max(width, 0))), static_cast<unsigned>(ToTwips(std::max(right, 0))));
    return def + text + "\\cell";
}

// Exact spacing from a cursor to a bottom; a piece lying above the cursor keeps its own height.
int Spacing(int bottom, int cursor, int ownHeight) {
    int spacing = bottom - cursor;
    return spacing >= 1 ? spacing : std::max(ownHeight, 1);
}

}  // namespace

std::string WriteTableRow(TableRow& row, int origin) {
    if (!row.Writable()) return {};
    CRtfXmlText& head = *row.items.front();
    CRtfXmlText* key = row.key;
    const RtfRect& cellBox = row.cellBox;
    const int rowTop = row.rowTop;
    if (key->page && key->page->document) {
        if (int size = FitItemSize(key->page->document, *key); size != 0) key->fontSize = static_cast<uint16_t>(size);
    }
    const RtfRect& kb = key->box;
    const std::string keyText = CellParagraph(Spacing(kb.bottom, rowTop, kb.Height()), WriteRuns(key->runs, 0));

    std::string stackText;
    int previousBottom = rowTop;
    for (const auto& stack : row.stacks) {
        const RtfRect& sb = stack->columnBox;
        if (!stackText.empty()) stackText += "\\par";
        stackText += CellParagraph(Spacing(sb.bottom, previousBottom, sb.Height()), RunsText(*stack));
        previousBottom = std::max(previousBottom, sb.bottom);
    }

    const int rowLeft = std::max(head.lineBox.left, origin);
    const bool keyFirst = kb.left <= cellBox.left;
    // The space between the cells belongs to the left one, as between columns: a
    // cell exactly as wide as its text would wrap its last letters.
    if (keyFirst) {
        int keyRight = std::max({kb.right, cellBox.left, rowLeft + 1});
        int stackRight = std::max(cellBox.right + 10, keyRight + 1);
        return Cell(keyRight - rowLeft, keyRight - origin, keyText) +
               Cell(stackRight - keyRight, stackRight - origin, stackText);
    }
    int stackRight = std::max(kb.left, rowLeft + 1);
    int keyRight = std::max(kb.right, stackRight + 1);
    return Cell(stackRight - rowLeft, stackRight - origin, stackText) +
           Cell(keyRight - stackRight, keyRight - origin, keyText);
}
