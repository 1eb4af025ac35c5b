#pragma once
// What an item's text says of its role: a bullet or a list number opens a list item,
// in a paragraph as in a table's first column.
#include <string>

#include "rtf/CRtfXmlText.h"

// The item's text as its runs carry it (wide characters as "\uc1\u...X"), without
// blanks at either end.
std::string ItemText(const CRtfXmlText* item);
// A bullet, a dash standing for one, or a list number ("3.", "b)", "iv.", "(2)").
bool ListMarker(const std::string& text);
