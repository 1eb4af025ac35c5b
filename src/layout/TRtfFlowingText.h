#pragma once
// The sections of a flowing page, top to bottom.
#include "layout/CRtfSection.h"
#include "rtf/TSafeList.h"

template <typename Section = CRtfSection>
class TRtfFlowingText : public TSafeList<Section> {
public:
    // Continues the last section's columns with the band, or starts a section
    // from it; true when a section was started.
    bool AddBand(LineBand& band, CRtfPage& page);
};

extern template class TRtfFlowingText<CRtfSection>;
