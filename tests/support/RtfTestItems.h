#pragma once
// Text items built directly, for the writers' tests.
#include <memory>
#include <string>
#include <vector>

#include "rtf/CRtfFontTable.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfColorData.h"

namespace rtftest {

// Owns items the way a page does, over tables of a few fonts and colours.
struct ItemSet {
    CRtfFontTable fonts;
    CRtfColorList colours;
    std::vector<std::unique_ptr<CRtfXmlText>> items;

    ItemSet() {
        for (int i = 1; i <= 3; ++i) {
            auto e = std::make_unique<FontEntry>();
            e->name = "Face" + std::to_string(i);
            e->index = i;
            fonts.entries.push_back(std::move(e));
        }
        colours.AddColor(255, 0, 0);
        colours.AddColor(0, 0, 255);
    }

    CRtfXmlText* Add(RtfRect box, const std::vector<std::string>& runTexts, int size = 12, uint8_t style = 0) {
        auto item = std::make_unique<CRtfXmlText>();
        item->box = box;
        item->lineBox = box;
        item->fontSize = static_cast<uint16_t>(size);
        item->fonts = &fonts;
        item->colours = &colours;
        for (const std::string& t : runTexts) {
            auto run = std::make_unique<TextRun>();
            run->text = t;
            run->fontSize = item->fontSize;
            run->style = style;
            run->hScale = 100;
            run->owner = item.get();
            item->runs.push_back(std::move(run));
        }
        items.push_back(std::move(item));
        return items.back().get();
    }

    // A line head with segments joined in the given order.
    static void Join(CRtfXmlText* head, std::initializer_list<CRtfXmlText*> segments) {
        head->segments.emplace();
        for (CRtfXmlText* s : segments) {
            head->segments->push_back(s);
            head->lineBox = head->lineBox.Union(s->box);
        }
    }
};

}  // namespace rtftest
