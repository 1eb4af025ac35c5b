// The page pass of the XML reader: page geometry, margins and text items.
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfPage.h"
#include "rtf/CRtfXmlParse.h"
#include "rtf/TextEdit.h"
#include "rtf/XmlParseTokens.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The item of a page scaled to fit: its place and its size shrink with the page.
void ScaleItem(CRtfXmlText& item, double scale) {
    auto at = [scale](int32_t v) { return static_cast<int32_t>(std::lround(v * scale)); };
    item.box = RtfRect{at(item.box.left), at(item.box.top), std::max(at(item.box.right), at(item.box.left) + 1),
                       std::max(at(item.box.bottom), at(item.box.top) + 1)};
    item.fontSize = static_cast<uint16_t>(std::max(1L, std::lround(item.fontSize * scale)));
}

}  // namespace

bool CRtfXmlParse::ReadPage(CRtfDocument& document, CRtfPage& page, int n,
                           std::vector<std::unique_ptr<CRtfXmlText>>& items) {
    if (!opened_) return false;
    bool matched = false;
    std::string line;
    while (true) {
        if (!ReadLine(line)) return false;
        if (line.empty()) continue;
        // The end of a page that was not asked for does not end the request: with a
        // page selection that skips pages, the wanted page still follows.
        if (StartsWith(line, "</page>")) {
            if (matched) return true;
            continue;
        }
        if (StartsWith(line, "</pdf2xml>")) {
            // Every later request meets the end again at once.
            SeekBack();
            return true;
        }
        if (StartsWith(line, "<page") && HasTagEnd(line)) {
            std::vector<std::string_view> tokens = SplitTokens(line);
            int number = 0;
            for (std::string_view token : tokens)
                if (FindAttribute(token) == 7) {
                    number = static_cast<int>(ValueNumber(AttributeValue(token)));
                    break;
                }
            if (number < n) continue;
            if (number > n) {
                SeekBack();
                return true;
            }
            int pageNumber = 0;
            long height = 0, width = 0;
            for (std::string_view token : tokens) {
                long value = ValueNumber(AttributeValue(token));
                switch (FindAttribute(token)) {
                    case 7: pageNumber = static_cast<int>(value); break;
                    case 9: page.SetTop(static_cast<int>(value)); break;
                    case 10: page.SetLeft(static_cast<int>(value)); break;
                    case 11: height = value; break;
                    case 12: width = value; break;
                    case 13: page.SetRotation(static_cast<int>(value)); break;
                    default: break;
                }
            }
            // Cropping the page to the largest a word processor takes would lose
            // everything beyond: the page is scaled to fit instead.
            const double room = kMaxPageCoordinate;
            double scale = 1.0;
            if (height > 0 && page.rect.top + height > room) scale = std::min(scale, (room - page.rect.top) / height);
            if (width > 0 && page.rect.left + width > room) scale = std::min(scale, (room - page.rect.left) / width);
            scale = std::max(scale, 0.01);
            // A page of a few points (a stamp, an icon exported as a page) holds no line of
            // the word processor's: it adds pages of its own for the page's picture. Such a
            // page is scaled up to the smallest that keeps it one page.
            // (A page too large along one side is scaled down, never up.)
            const bool tiny = height > 0 && width > 0 && (height < kSmallestPageSide || width < kSmallestPageSide);
            if (tiny && scale == 1.0) {
                scale = std::max(kSmallestPageSide / static_cast<double>(height), kSmallestPageSide / static_cast<double>(width));
                scale = std::min({scale, (room - page.rect.top) / height, (room - page.rect.left) / width});
                scale = std::max(scale, 1.0);
            }
            page.contentScale = scale;
            page.SetHeight(static_cast<int>(height * scale));
            page.SetWidth(static_cast<int>(width * scale));
            matched = pageNumber == n;
            if (matched && scale != 1.0) {
                char note[160];
                if (scale > 1.0)
                    std::snprintf(note, sizeof note,
                                  "page %d (%.1f x %.1f points) is smaller than word processors take; it was scaled to %d %%",
                                  n, width / 1.5, height / 1.5, static_cast<int>(scale * 100));
                else
                    std::snprintf(note, sizeof note,
                                  "page %d (%.1f x %.1f inches) is larger than word processors take; it was scaled to %d %%",
                                  n, width / 108.0, height / 108.0, static_cast<int>(scale * 100));
                document.notes.push_back(note);
            }
            continue;
        }
        if (!matched) continue;
        if (StartsWith(line, "<margin") && HasTagEnd(line)) {
            for (std::string_view token : SplitTokens(line)) {
                // Values are unsigned on the page: a negative one counts as huge and is capped.
                long long value = static_cast<unsigned>(ValueNumber(AttributeValue(token)));
                switch (FindAttribute(token)) {
                    case 19: page.margins.left = CRtfPage::CapMargin(value); break;
                    case 20: page.margins.top = CRtfPage::CapMargin(value); break;
                    case 21: page.margins.bottom = CRtfPage::CapMargin(value); break;
                    case 22: page.margins.right = CRtfPage::CapMargin(value); break;
                    default: break;
                }
            }
            continue;
        }
        if (StartsWith(line, "<text") && HasTagEnd(line))
            if (auto item = ReadTextElement(document, page, line)) items.push_back(std::move(item));
    }
}

std::unique_ptr<CRtfXmlText> CRtfXmlParse::ReadTextElement(CRtfDocument& document, const CRtfPage& page,
                                                           const std::string& line) {
    auto item = std::make_unique<CRtfXmlText>();
    for (std::string_view token : SplitTokens(line)) {
        long value = ValueNumber(AttributeValue(token));
        switch (FindAttribute(token)) {
            case 23: item->box.top = static_cast<int32_t>(value); break;
            case 24: item->box.left = static_cast<int32_t>(value); break;
            case 25: item->box.right = item->box.left + static_cast<int32_t>(value); break;
            case 26: item->box.bottom = item->box.top + static_cast<int32_t>(value); break;
            case 27: {
                int id = static_cast<int>(value);
                item->fontIndex = document.fonts.EntryIndexOfSpec(id);
                item->fontSize = static_cast<uint16_t>(document.fonts.SizeOfSpec(id));
                if (XmlFontSpec* font = document.fonts.FindSpec(id)) {
                    item->colorIndex = font->colour ? font->colour->index : 0;
                    item->colours = &document.colours;
                }
                item->fonts = &document.fonts;
                break;
            }
            case 28:
                item->rotation = value == 2 ? 180 : value == 3 ? 270 : value == 4 ? 90 : 0;
                break;
            case 30: item->angle = static_cast<int32_t>(value); break;
            default: break;
        }
    }
    // Text turned a quarter clockwise is written one unit wide, as its characters advance
    // down the page; a wider column is vertical writing, whose box is the column's own.
    if (item->rotation == 270 && item->box.Width() > 1) item->verticalWriting = 1;
    if (page.contentScale != 1.0) ScaleItem(*item, page.contentScale);
    if (!ReadDataLines(*item) || item->runs.empty()) return nullptr;
    return item;
}

bool CRtfXmlParse::ReadDataLines(CRtfXmlText& item) {
    std::string accumulated;
    std::string line;
    while (true) {
        if (!ReadLine(line)) return false;
        if (StartsWith(line, "</text>") || StartsWith(line, "</page>") || StartsWith(line, "</pdf2xml>")) break;
        if (!StartsWith(line, "<data")) continue;
        size_t close = line.find('>', 1);
        if (close == std::string::npos) continue;
        std::string text = line.substr(close + 1);
        if (text.empty()) text.push_back(' ');
        accumulated += text;

        auto run = std::make_unique<TextRun>();
        run->text = DecodeText(text);
        run->owner = &item;
        for (std::string_view token : SplitTokens(std::string_view(line).substr(0, close + 1))) {
            long value = ValueNumber(AttributeValue(token));
            switch (FindAttribute(token)) {
                case 30: run->charSpace = static_cast<int16_t>(value); break;
                case 31: run->wordSpace = static_cast<int16_t>(value); break;
                case 32: run->hScale = static_cast<uint8_t>(value); break;
                case 33: run->style = static_cast<uint8_t>(value); break;
                case 34: run->rise = static_cast<float>(value); break;
                case 35: run->leading = static_cast<float>(value); break;
                default: break;
            }
        }
        run->fontIndex = item.fontIndex;
        run->fontSize = item.fontSize;
        run->colorIndex = item.colorIndex;
        item.runs.push_back(std::move(run));
    }
    return !Trimmed(accumulated).empty();
}
