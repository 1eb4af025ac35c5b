#pragma once
// A table of the page as an RTF table a user can edit, or as lines of text with a
// tab between cells for the layouts that keep only the text.
#include <string>

#include "layout/PageTable.h"
#include "rtf/CRtfPage.h"

// The rows at the table's place: cell edges from the page's left margin, merges,
// borders as drawn, grounds, and each cell's text rows as its paragraphs. top is
// where the text above it ended (XML units); the space down to the table is kept.
std::string WriteTable(const PageTable& table, CRtfPage& page, int top);
// One paragraph a row, the cells' words apart by tabs; plain leaves out the
// character formatting ("TEXT ONLY").
std::string WriteTableLines(const PageTable& table, bool plain);
