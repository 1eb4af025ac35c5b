#pragma once
// Lines built from items: an item joins the line of a line head, and a line takes
// in another.
#include "rtf/CRtfXmlText.h"

// True when the item joined the head's line; otherwise outcome tells why: 1 the item
// lies above the line, 2 below or too far left of it, 0 neither.
bool JoinLine(CRtfXmlText& head, CRtfXmlText* item, int& outcome);
// Takes another line into this one: the line (at the front of the segments, or at
// the end) and then its own segments, which it gives up; the line boxes unite.
void AbsorbLine(CRtfXmlText& head, CRtfXmlText* line, bool atFront);
