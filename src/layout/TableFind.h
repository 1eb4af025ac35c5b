#pragma once
// Tables on a page: grids from its drawn rules (ruled tables, also those whose outer
// frame or inner rules are partly missing) and from text standing in aligned columns
// over several rows (borderless tables).
#include <memory>
#include <vector>

#include "layout/PageTable.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RecordedGraphics.h"

// lines: the page's line heads (their segments are the line's other items), in any
// order. rules: the page's rule pieces in painting order. Every item lies in at most
// one table; the tables come top to bottom. The lines are not changed.
std::vector<std::unique_ptr<PageTable>> FindTables(const std::vector<CRtfXmlText*>& lines,
                                                   const std::vector<RulePiece>& rules);
