#pragma once
// A page whose flow holds lines built in the test, for the flowing analysis.
#include <memory>
#include <string>

#include "layout/PageLayout.h"
#include "support/RtfTestItems.h"
#include "rtf/CRtfPage.h"

namespace rtftest {

struct FlowPage {
    ItemSet set;
    CRtfPage page{nullptr, 1};
    PageLayout layout{page};

    FlowPage() { page.rect = {0, 0, 612, 792}; }
    // A line head in flow order.
    CRtfXmlText* Line(RtfRect box, const std::string& text, int size = 12) {
        CRtfXmlText* line = set.Add(box, {text}, size);
        line->page = &page;
        layout.flow.lines.push_back(line);
        return line;
    }
    CRtfSection& Section(size_t i) { return *layout.sections.at(i); }
    size_t Sections() const { return layout.sections.size(); }
};

// How often a text occurs.
inline size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
    return n;
}

}  // namespace rtftest
