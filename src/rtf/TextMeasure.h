#pragma once
// Widths of runs as the RTF's reader will set them: the run's text without
// escapes and link markers, in the face the font table names, on a 96-dpi screen.
#include <string>

#include "platform/FontCatalog.h"
#include "rtf/TextRun.h"

class CRtfDocument;
class CRtfXmlText;
class CRtfFontTable;

// The run's text as measured; computed once per run.
const std::string& PlainText(TextRun& run, int size);
platform::TextExtent MeasureRun(TextRun& run, int size, const std::string& faceName);
// Shrinks the item's font size (not below 6) until its runs fit its box; 0 when its font has no entry.
int FitItemSize(CRtfDocument* document, CRtfXmlText& item);
// Sum of the run widths and the largest run height of an item at a size.
platform::TextExtent MeasureRuns(CRtfXmlText& item, int size, const std::string& faceName);
// The font table an item measures with: its own, else the document's.
const CRtfFontTable* FontsOf(CRtfDocument* document, const CRtfXmlText& item);
