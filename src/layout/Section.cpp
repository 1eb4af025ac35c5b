// A section of a flowing page: its columns and their geometry inside it.
#include <algorithm>

#include "layout/CRtfSection.h"
#include "rtf/CRtfXmlText.h"

CRtfSection::CRtfSection(const LineBand& band) {
    for (CRtfXmlText* line : band) {
        sectionBox = sectionBox.Union(line->lineBox);
        columns.push_back(std::make_unique<Column>(line));
    }
}

CRtfSection::CRtfSection(size_t columnCount) {
    for (size_t i = 0; i < columnCount; ++i) columns.push_back(std::make_unique<Column>());
}

// The columns abut: the free space between two columns of the source belongs to
// the left one. A column is never narrower than its own lines where the section
// leaves room for that (a last column starting in the right margin takes the
// room from its neighbours), and never of negative width.
void CRtfSection::SetColumnGeometry() {
    const size_t n = columns.size();
    if (n == 0) return;
    const int left = sectionBox.left;
    const int right = std::max(sectionBox.right, left);
    std::vector<int> edges(n + 1);  // edges[i] is the left of column i, edges[n] the section's right
    edges[0] = left;
    for (size_t i = 1; i < n; ++i) edges[i] = columns[i]->columnBox.left;
    edges[n] = right;
    for (size_t i = n; i-- > 1;) {
        const int needed = std::max(columns[i]->columnBox.Width(), 0);
        edges[i] = std::min(edges[i], edges[i + 1] - needed);
    }
    for (size_t i = 1; i < n; ++i) edges[i] = std::clamp(edges[i], edges[i - 1], right);
    for (size_t i = 0; i < n; ++i) {
        RtfRect& c = columns[i]->columnBox;
        c.top = sectionBox.top;
        c.bottom = sectionBox.bottom;
        c.left = edges[i];
        c.right = edges[i + 1];
    }
}
