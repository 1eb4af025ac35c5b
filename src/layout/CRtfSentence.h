#pragma once
// The owning list of an item's runs, in data-line order.
#include <string>

#include "layout/TRtfWord.h"
#include "rtf/TSafeList.h"

class CRtfDocument;

class CRtfSentence : public TSafeList<TRtfWord<void>> {
public:
    std::string WriteRuns(int8_t raise) const;
    std::string WritePlainRuns() const;
    // The raw text of all runs.
    std::string RunText() const;

    // Box of the item corrected from the measured extent of its runs.
    void MeasureAndFix(CRtfDocument* document, CRtfXmlText& item);
    // Font size that makes the runs fit the item's box (0: the font has no entry).
    int FitRunsToBox(CRtfDocument* document, CRtfXmlText& item);
    // Box of an item outside the reading orientation, from its measured runs.
    int SetLooseBox(CRtfDocument* document, CRtfXmlText& item);
};
