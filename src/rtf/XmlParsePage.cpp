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

// The XML's unit, for the notes that tell a page's size in the user's words.
constexpr double kUnitsPerInch = 108.0;
constexpr double kUnitsPerPoint = 1.5;

// The item of a page scaled to fit: its place and its size shrink with the page.
void ScaleItem(CRtfXmlText& item, double scale) {
    auto at = [scale](int32_t v) { return static_cast<int32_t>(std::lround(v * scale)); };
    item.box = RtfRect{at(item.box.left), at(item.box.top), std::max(at(item.box.right), at(item.box.left) + 1),
                       std::max(at(item.box.bottom), at(item.box.top) + 1)};
    item.fontSize = static_cast<uint16_t>(std::max(1L, std::lround(item.fontSize * scale)));
}

// The turn of a text element's writing direction, in degrees counter-clockwise. The
// extraction numbers the directions: 1 left to right, 2 right to left (the text stands
// on its head), 3 a quarter turn clockwise, 4 a quarter turn counter-clockwise.
int RotationOfDirection(long direction) {
    constexpr long kRightToLeft = 2, kQuarterClockwise = 3, kQuarterCounterClockwise = 4;
    switch (direction) {
        case kRightToLeft: return 180;
        case kQuarterClockwise: return 270;
        case kQuarterCounterClockwise: return 90;
        default: return 0;
    }
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
                if (FindAttribute(token) == XmlAttribute::PageNumber) {
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
                    case XmlAttribute::PageNumber: pageNumber = static_cast<int>(value); break;
                    case XmlAttribute::PageTop: page.SetTop(static_cast<int>(value)); break;
                    case XmlAttribute::PageLeft: page.SetLeft(static_cast<int>(value)); break;
                    case XmlAttribute::PageHeight: height = value; break;
                    case XmlAttribute::PageWidth: width = value; break;
                    case XmlAttribute::PageRotation: page.SetRotation(static_cast<int>(value)); break;
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
                                  n, width / kUnitsPerPoint, height / kUnitsPerPoint, static_cast<int>(scale * 100));
                else
                    std::snprintf(note, sizeof note,
                                  "page %d (%.1f x %.1f inches) is larger than word processors take; it was scaled to %d %%",
                                  n, width / kUnitsPerInch, height / kUnitsPerInch, static_cast<int>(scale * 100));
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
                    case XmlAttribute::MarginLeft: page.margins.left = CRtfPage::CapMargin(value); break;
                    case XmlAttribute::MarginTop: page.margins.top = CRtfPage::CapMargin(value); break;
                    case XmlAttribute::MarginBottom: page.margins.bottom = CRtfPage::CapMargin(value); break;
                    case XmlAttribute::MarginRight: page.margins.right = CRtfPage::CapMargin(value); break;
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
            case XmlAttribute::Top: item->box.top = static_cast<int32_t>(value); break;
            case XmlAttribute::Left: item->box.left = static_cast<int32_t>(value); break;
            case XmlAttribute::Width: item->box.right = item->box.left + static_cast<int32_t>(value); break;
            case XmlAttribute::Height: item->box.bottom = item->box.top + static_cast<int32_t>(value); break;
            case XmlAttribute::Font: {
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
            case XmlAttribute::Direction: item->rotation = RotationOfDirection(value); break;
            case XmlAttribute::Angle: item->angle = static_cast<int32_t>(value); break;
            default: break;
        }
    }
    // Text turned a quarter clockwise is written one unit wide, as its characters advance
    // down the page; a wider column is vertical writing, whose box is the column's own.
    if (item->rotation == 270 && item->box.Width() > 1) item->verticalWriting = true;
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
                case XmlAttribute::CharSpace: run->charSpace = static_cast<int16_t>(value); break;
                case XmlAttribute::WordSpace: run->wordSpace = static_cast<int16_t>(value); break;
                case XmlAttribute::HScale: run->hScale = static_cast<uint8_t>(value); break;
                case XmlAttribute::Style: run->style = static_cast<uint8_t>(value); break;
                case XmlAttribute::Rise: run->rise = static_cast<float>(value); break;
                case XmlAttribute::Leading: run->leading = static_cast<float>(value); break;
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
