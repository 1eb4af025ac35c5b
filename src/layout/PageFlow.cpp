// Routing accepted items into the lines of the page or its loose list.
#include <algorithm>

#include "rtf/CRtfDocument.h"
#include "layout/CRtfPageFlow.h"
#include "layout/PageLayout.h"
#include "layout/RunFit.h"
#include "layout/LineJoin.h"

bool CRtfPageFlow::InReadingOrientation(int pageRotation, int itemRotation) {
    switch (pageRotation) {
        case 0: return itemRotation == 0;
        case 90: return itemRotation != 0;
        case 180: return itemRotation == 180;
        case 270: return itemRotation == 0;
        default: return false;
    }
}

bool CRtfPageFlow::Add(PageLayout& layout, CRtfXmlText* item) {
    layout_ = &layout;
    CRtfDocument* document = layout.page.document;
    const int pageRotation = layout.page.rotation;
    // On a turned page the extraction gives the words that read across the page as it is
    // shown their own width; one a unit wide runs along the page, one of a negative
    // width stands on its head. "AS IS" keeps those turned, at their places.
    const bool keepsLook = document && document->layoutMode == kLayoutAsIs;
    const bool levelOnTurnedPage = pageRotation == 0 || !keepsLook || item->box.Width() > 1;
    if (!InReadingOrientation(pageRotation, item->rotation) || !levelOnTurnedPage) {
        item->drawnBox = item->box;
        if (!item->verticalWriting) SetLooseBox(document, *item);
        loose.push_back(item);
        return true;
    }
    if (pageRotation == 0) {
        if (item->box.Width() < 2) return false;
        return Place(item);
    }
    if (item->box.Width() <= 1) {
        item->box.right = item->box.left;
        bool merged = false;
        if (!layout.AddText(item, merged)) return merged;
        if (merged) return true;
    }
    return Place(item);
}

bool CRtfPageFlow::Place(CRtfXmlText* item) {
    CRtfDocument* document = layout_ ? layout_->page.document : nullptr;
    item->sourceSize = item->fontSize;
    if (item->fontSize > 5) {
        int size = FitRunsToBox(document, *item);
        if (size != 0) item->fontSize = static_cast<uint16_t>(size);
    }
    if (lines.empty()) {
        item->lineBox = item->box;
        lines.push_back(item);
        return true;
    }
    CRtfXmlText* last = lines.back();
    const JoinOutcome outcome = JoinLine(*last, item);
    if (outcome == JoinOutcome::Joined) return true;
    if (outcome == JoinOutcome::Above && JoinLine(*last, item) == JoinOutcome::Joined) return true;
    item->lineBox = item->box;
    lines.push_back(item);
    return true;
}

void CRtfPageFlow::Remove(CRtfXmlText* item) {
    std::erase(lines, item);
    std::erase(loose, item);
}
