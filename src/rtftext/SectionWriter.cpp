// A section written with newspaper columns: the column definition words and the
// columns' paragraphs.
#include "rtftext/SectionWriter.h"

#include <algorithm>
#include <cstdio>

#include "layout/CRtfSection.h"
#include "rtf/RtfUnits.h"
#include "rtftext/ColumnWriter.h"

std::string ColumnsHeader(const CRtfSection& section) {
    const auto& columns = section.columns;
    char buf[96];
    std::snprintf(buf, sizeof buf, "\\cols%u", static_cast<unsigned>(columns.size()));
    std::string header = buf;
    for (size_t i = 0; i < columns.size(); ++i) {
        auto width = static_cast<unsigned>(ToTwips(std::max(columns[i]->columnBox.Width(), 0)));
        if (i + 1 < columns.size())
            std::snprintf(buf, sizeof buf, "\\colno%u\\colw%u\\colsr-0", static_cast<unsigned>(i + 1), width);
        else
            std::snprintf(buf, sizeof buf, "\\colno%u\\colw%u", static_cast<unsigned>(i + 1), width);
        header += buf;
    }
    return header;
}

std::string WriteSection(CRtfSection& section, PageLayout& layout) {
    section.SetColumnGeometry();
    const auto& columns = section.columns;
    if (columns.size() == 1) return WriteColumn(*columns.front(), layout);
    if (columns.empty()) return {};
    std::string out = ColumnsHeader(section);
    for (size_t i = 0; i < columns.size(); ++i) {
        out += WriteColumn(*columns[i], layout);
        if (i + 1 < columns.size()) out += "\\column";
    }
    return out;
}
