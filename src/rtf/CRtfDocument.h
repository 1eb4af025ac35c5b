#pragma once
// The RTF document model of one conversion: what the intermediate XML says of the
// whole document (information, fonts, colours), the layout the user chose, and the
// numbering of shapes shared by all its pages.
#include <string>
#include <vector>

#include "rtf/CRtfDocInfo.h"
#include "rtf/CRtfFontTable.h"
#include "rtf/RtfColorData.h"
#include "rtf/ShapeIds.h"

enum RtfLayoutMode { kLayoutFlowing = 0, kLayoutAsIs = 1, kLayoutFormatted = 2, kLayoutTextOnly = 3 };

class CRtfDocument {
public:
    CRtfDocument() = default;
    CRtfDocument(const CRtfDocument&) = delete;
    CRtfDocument& operator=(const CRtfDocument&) = delete;

    std::string xmlFileName;  // the intermediate XML's name, without its folder
    CRtfDocInfo info;
    CRtfColorList colours;
    CRtfFontTable fonts;
    ShapeIds shapeIds;
    RtfLayoutMode layoutMode = kLayoutFlowing;
    // Pictures are named but never written into the RTF; vector shapes stay.
    bool removeImages = false;
    // Flowing text keeps every line of the source a paragraph of its own, at its
    // exact place, instead of joining lines into paragraphs that re-flow.
    bool keepLines = false;
    // What the user must hear of the pages read so far (a page scaled to fit).
    std::vector<std::string> notes;
};
