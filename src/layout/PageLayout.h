#pragma once
// The layout of the page being built: its items placed into lines (the flow), the
// lines ordered and cut into sections (flowing text), and where the last turned text
// shape went. It refers to the page's items; the page owns them, so a layout goes
// before its page.
#include <memory>
#include <vector>

#include "layout/CRtfPageFlow.h"
#include "layout/CRtfSection.h"
#include "layout/PageTable.h"
#include "layout/TextShapeChain.h"
#include "rtf/CRtfPage.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfRect.h"

class PageLayout {
public:
    explicit PageLayout(CRtfPage& page) : page(page) {}
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    // The page's items in the order they were read: each is refused, merges into a
    // line, or joins the flow; the page takes those kept.
    void PlaceItems(std::vector<std::unique_ptr<CRtfXmlText>> items);
    // Placement check of a new item against the lines on the page: true when
    // accepted; merged is set when the item joined a line's segments instead.
    bool AddText(CRtfXmlText* item, bool& merged);

    // Flowing text: the lines ordered top to bottom, cut into bands and fed to the sections.
    void AnalyseFlow();
    std::vector<CRtfXmlText*> SortLines();
    // Collects the band starting at the cursor (a position in sortedLines) and moves the cursor past it.
    void CollectBand(size_t& cursor, LineBand& band);
    // Continues the last section's columns with the band, or starts a section
    // from it; true when a section was started.
    bool AddBand(LineBand& band);
    // A thin rule lying under a line becomes its underline; true when a line took it.
    bool UnderlineFromRule(RtfRect rule);
    // A line joined into another leaves the vertical order and the flow.
    void TakeOutLine(CRtfXmlText* line);
    // The page's tables take their items out of the lines; a line that keeps items
    // outside a table goes on with those alone. Flowing text then places each table
    // as a section of its own, between the lines above and below it.
    void TakeTables(std::vector<std::unique_ptr<PageTable>> found);

    CRtfPage& page;
    CRtfPageFlow flow;
    std::vector<std::unique_ptr<CRtfSection>> sections;
    std::vector<CRtfXmlText*> sortedLines;
    // Top to bottom; in flowing text also referred to by their sections.
    std::vector<std::unique_ptr<PageTable>> tables;
    TextShapeChain shapeChain;

private:
    bool ContainmentTest(CRtfXmlText* item, CRtfXmlText* other);
    bool OverprintTest(CRtfXmlText* item, CRtfXmlText* other);
    void MergeBefore(CRtfXmlText* head, CRtfXmlText* item, size_t segment, bool withOwnBox);
};
