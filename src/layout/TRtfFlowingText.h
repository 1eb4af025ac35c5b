#pragma once
// The sections of a flowing page, top to bottom.
#include <memory>
#include <vector>

#include "layout/CRtfSection.h"

template <typename Section = CRtfSection>
class TRtfFlowingText {
public:
    // Continues the last section's columns with the band, or starts a section
    // from it; true when a section was started.
    bool AddBand(LineBand& band, CRtfPage& page);

    std::vector<std::unique_ptr<Section>> sections;
};

extern template class TRtfFlowingText<CRtfSection>;
