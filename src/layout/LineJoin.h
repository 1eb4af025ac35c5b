#pragma once
// Lines built from items: an item joins the line of a line head, and a line takes
// in another.
#include "rtf/CRtfXmlText.h"

// What came of offering an item to a line: joined, or where it stands that it did not.
enum class JoinOutcome {
    Joined,
    // Shares some of the line's height, but too little of it, or lies too far right.
    Overlapping,
    // Above the line, or reaching so little into it that its bottom was cut back to the
    // line's top.
    Above,
    // Below the line, reaching too little into it, or far left of it.
    BelowOrFarLeft,
};

JoinOutcome JoinLine(CRtfXmlText& head, CRtfXmlText* item);
// Takes another line into this one: the line (at the front of the segments, or at
// the end) and then its own segments, which it gives up; the line boxes unite.
void AbsorbLine(CRtfXmlText& head, CRtfXmlText* line, bool atFront);
