#pragma once
// Item boxes and font sizes from the measured extent of the runs.
#include "rtf/CRtfXmlText.h"

class CRtfDocument;

// Box of the item corrected from the measured extent of its runs.
void MeasureAndFix(CRtfDocument* document, CRtfXmlText& item);
// Font size that makes the runs fit the item's box (0: the font has no entry).
int FitRunsToBox(CRtfDocument* document, CRtfXmlText& item);
// Box of an item outside the reading orientation, from its measured runs.
void SetLooseBox(CRtfDocument* document, CRtfXmlText& item);
