// Item boxes and font sizes from the measured extent of the runs.
#include <algorithm>
#include <cstdlib>

#include "rtf/CRtfPage.h"
#include "rtf/CRtfDocument.h"
#include "layout/RunFit.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/TextEdit.h"
#include "rtf/TextMeasure.h"

namespace {

// Sizes up to this are fitted one step at a time, as they always were.
constexpr int kSteppedSizes = 200;

FontEntry* EntryOf(CRtfDocument* document, const CRtfXmlText& item) {
    const CRtfFontTable* fonts = FontsOf(document, item);
    return fonts ? fonts->FindEntry(item.fontIndex) : nullptr;
}

}  // namespace

void MeasureAndFix(CRtfDocument* document, CRtfXmlText& item) {
    FontEntry* entry = EntryOf(document, item);
    if (!entry) return;
    platform::TextExtent e = MeasureRuns(item, item.fontSize, entry->name);
    RtfRect& b = item.box;
    if (e.width < b.Width()) {
        if (b.Height() == 0) b = {b.left, b.bottom - e.height, b.left + e.width, b.bottom};
        else b = {b.left, b.top, b.left + e.width, b.top + e.height};
    } else if (b.Width() == 0) {
        if (b.top + e.height < e.width) b = {b.left, b.top, b.left + e.width, b.top + e.height};
        else b = {b.right - e.width, b.top, b.right, b.top + e.height};
    }
}

int FitRunsToBox(CRtfDocument* document, CRtfXmlText& item) {
    FontEntry* entry = EntryOf(document, item);
    if (!entry) return 0;
    RtfRect& b = item.box;
    int size = item.fontSize;
    int width = MeasureRuns(item, size, entry->name).width;
    auto tooWide = [&](int w) { return w >= b.Width() && std::abs(w - b.Width()) > 3; };
    if (size > kSteppedSizes && tooWide(width)) {
        // A damaged file's absurd size would be measured thousands of times on
        // the way down. Widths grow with the size, so the way down starts near the
        // fit, a little above it, and climbs back should it have gone too far.
        const int start = size;
        long long near = static_cast<long long>(size) * (std::max(b.Width(), 0) + 3) / std::max(width, 1);
        size = static_cast<int>(std::clamp<long long>(near + near / 8 + 2, kSteppedSizes, size));
        width = MeasureRuns(item, size, entry->name).width;
        while (size < start && !tooWide(width)) {
            const int wider = MeasureRuns(item, size + 1, entry->name).width;
            if (tooWide(wider)) break;
            ++size;
            width = wider;
        }
    }
    while (size - 1 > 5 && tooWide(width)) {
        --size;
        width = MeasureRuns(item, size, entry->name).width;
    }
    bool rotated = item.rotation != 0 && item.page && item.page->rotation != 0;
    if (rotated) {
        int previous = -1;
        int difference = std::abs(width - b.Width());
        while (difference <= 3 && difference != previous && size > 1) {
            previous = difference;
            --size;
            width = MeasureRuns(item, size, entry->name).width;
            difference = std::abs(width - b.Width());
        }
    }
    TextRun* first = item.runs.empty() ? nullptr : item.runs.front().get();
    if (first && !first->text.empty() && first->text.front() == ' ' && first->wordSpace > 1000) {
        first->text = Trimmed(first->text);
        b.left = b.right - width;
    }
    TextRun* last = item.runs.empty() ? nullptr : item.runs.back().get();
    if (last && !last->text.empty() && last->text.back() == ' ' && last->wordSpace > 1000) {
        last->text = Trimmed(last->text);
        b.right = b.left + width;
    }
    for (const auto& run : item.runs) run->fontSize = static_cast<uint16_t>(size);
    return size;
}

void SetLooseBox(CRtfDocument* document, CRtfXmlText& item) {
    FontEntry* entry = EntryOf(document, item);
    if (!entry) return;
    platform::TextExtent e = MeasureRuns(item, item.fontSize, entry->name);
    item.box = {item.box.left, item.box.top, item.box.left + e.width, item.box.top + e.height};
}
