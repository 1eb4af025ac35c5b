#include "rtf/TextMeasure.h"

#include <algorithm>

#include "rtf/CRtfDocument.h"
#include "rtf/CRtfXmlText.h"
#include "extract/LinkMarkers.h"
#include "rtf/TextEdit.h"

namespace {

const std::string kUnicodeEscape = "\\uc1\\u";

// Each wide character counts as one placeholder of about its width.
std::string WithoutEscapes(const std::string& text, int size) {
    const std::string placeholder = size > 10 ? "s" : " ";
    std::string out;
    size_t p = 0;
    while (true) {
        size_t e = text.find(kUnicodeEscape, p);
        if (e == std::string::npos) {
            out.append(text, p, std::string::npos);
            break;
        }
        out.append(text, p, e - p);
        size_t digits = e + kUnicodeEscape.size();
        size_t x = text.find('X', digits);
        if (x == std::string::npos) {
            out.append(text, e, std::string::npos);
            break;
        }
        if (x - digits <= 5) {
            out += placeholder;
            p = x + 1;
        } else {
            out.append(text, e, x - e);
            p = x;
        }
    }
    return out;
}

std::string WithoutLinkMarkers(std::string text) {
    size_t p = 0;
    while ((p = text.find(kLinkStart, p)) != std::string::npos) {
        size_t m = text.find(kLinkMiddle, p + kLinkStart.size());
        if (m == std::string::npos) {
            p += kLinkStart.size();
            continue;
        }
        text.erase(p, m + kLinkMiddle.size() - p);
    }
    RemoveAll(text, kLinkEnd);
    return text;
}

}  // namespace

const std::string& PlainText(TextRun& run, int size) {
    if (run.plainText.empty()) run.plainText = WithoutLinkMarkers(WithoutEscapes(run.text, size));
    return run.plainText;
}

platform::TextExtent MeasureRun(TextRun& run, int size, const std::string& faceName) {
    int effective = size >= 12 ? size + 1 : size;
    // Character height in pixels, rounded half away from zero like a multiply-divide.
    int pixels = (effective * platform::kScreenDpi + 36) / 72;
    if (faceName.empty() || pixels <= 0) return {};
    const bool bold = run.style & kStyleBold, italic = run.style & kStyleItalic;
    return platform::MeasureText(faceName, pixels, bold, italic, PlainText(run, effective));
}

const CRtfFontTable* FontsOf(CRtfDocument* document, const CRtfXmlText& item) {
    if (item.fonts) return item.fonts;
    return document ? &document->fonts : nullptr;
}

platform::TextExtent MeasureRuns(CRtfXmlText& item, int size, const std::string& faceName) {
    platform::TextExtent total;
    for (const auto& run : item.runs) {
        platform::TextExtent e = MeasureRun(*run, size, faceName);
        total.width += e.width;
        total.height = std::max(total.height, e.height);
    }
    return total;
}

int FitItemSize(CRtfDocument* document, CRtfXmlText& item) {
    const CRtfFontTable* fonts = FontsOf(document, item);
    FontEntry* entry = fonts ? fonts->FindEntry(item.fontIndex) : nullptr;
    if (!entry) return 0;
    int size = item.fontSize;
    while (size > 6 && MeasureRuns(item, size, entry->name).width > item.box.Width()) --size;
    for (const auto& run : item.runs) run->fontSize = static_cast<uint16_t>(size);
    return size;
}
