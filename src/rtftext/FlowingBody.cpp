// The sections of a flowing page stacked vertically, each as wide as the
// page's text, separated by continuous section breaks.
#include "rtftext/FlowingBody.h"

#include <algorithm>
#include <cstdio>

#include "layout/PageLayout.h"
#include "rtf/RtfUnits.h"
#include "rtftext/SectionWriter.h"
#include "rtftext/TableWriter.h"

namespace {

const std::string kContinuousBreak = "\\pard\\sect\\sectd\\sbknone";

// A section break resets the section's page setup: later pages give it again.
std::string SectionBreak(const CRtfPage& page, bool firstOfFile) {
    if (firstOfFile) return kContinuousBreak;
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s\\pgwsxn%u\\pghsxn%u\\marglsxn%u\\margrsxn%u", kContinuousBreak.c_str(),
                  static_cast<unsigned>(ToTwips(std::max(page.Width(), 0))),
                  static_cast<unsigned>(ToTwips(std::max(page.Height(), 0))),
                  static_cast<unsigned>(ToTwips(page.margins.left)), static_cast<unsigned>(ToTwips(page.margins.right)));
    return buf;
}

}  // namespace

std::string WriteFlowingBody(PageLayout& layout, bool lastOfRange, bool firstOfFile) {
    std::string body;
    if (layout.sections.empty()) return body;
    CRtfPage& page = layout.page;
    const std::string sectionBreak = SectionBreak(page, firstOfFile);
    CRtfSection* previous = nullptr;
    for (const auto& section : layout.sections) {
        RtfRect& s = section->sectionBox;
        s.left = page.margins.left;
        s.right = page.rect.right - page.margins.right - page.rect.left;
        if (!previous) {
            s.top = page.margins.top;
            if (s.bottom == 0) s.bottom = page.rect.bottom - page.rect.top - page.margins.top;
        } else {
            s.top = previous->sectionBox.bottom;
        }
        body += (section->table ? WriteTable(*section->table, page, s.top) : WriteSection(*section, layout)) + sectionBreak;
        previous = section.get();
    }
    if (body.ends_with(sectionBreak)) body.resize(body.size() - sectionBreak.size());
    if (lastOfRange && body.ends_with(" \\par")) body.resize(body.size() - 5);
    return body;
}
