#pragma once
// The text flow of one page: line heads in the order the lines were started,
// and the items outside the page's reading orientation. Both lists refer to
// items owned by the page.
#include <vector>

class PageLayout;
class CRtfXmlText;

class CRtfPageFlow {
public:
    // Routes an accepted item by its rotation; false refuses it.
    bool Add(PageLayout& layout, CRtfXmlText* item);
    // Fits the item's font size and joins it to the last line or starts a line.
    bool Place(CRtfXmlText* item);
    // Whether an item of this rotation is read in the page's orientation (a line, not a loose item).
    static bool InReadingOrientation(int pageRotation, int itemRotation);
    // Takes the item out of both lists (when it is in one).
    void Remove(CRtfXmlText* item);

    std::vector<CRtfXmlText*> lines;
    std::vector<CRtfXmlText*> loose;

private:
    PageLayout* layout_ = nullptr;
};
