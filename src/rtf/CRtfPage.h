#pragma once
// The page being built: geometry and margins from the XML, the text items and
// their flow, and the graphics handed over for it.
#include <memory>
#include <vector>

#include "layout/CRtfPageFlow.h"
#include "rtf/CRtfXmlText.h"
#include "layout/TextShapeChain.h"
#include "layout/TRtfFlowingText.h"
#include "rtf/RtfRect.h"

class CRtfDocument;
class GraphicEntry;

// Highest page coordinate the RTF page setup accepts.
constexpr int kMaxPageCoordinate = 2375;
// The shortest side of a page word processors lay out as one page with a picture on
// it, in the XML's units (an inch).
constexpr int kSmallestPageSide = 108;
// Highest margin taken from the XML.
constexpr unsigned kMaxMargin = 50;

class CRtfPage {
public:
    CRtfPage(CRtfDocument* document, int number);
    ~CRtfPage();
    CRtfPage(const CRtfPage&) = delete;
    CRtfPage& operator=(const CRtfPage&) = delete;

    void SetLeft(int v) { rect.left = v; }
    void SetTop(int v) { rect.top = v; }
    void SetHeight(int h);
    void SetWidth(int w);
    void SetRotation(int r);
    static int CapMargin(long long value);

    // Placement check of a new item against the lines on the page: true when
    // accepted; merged is set when the item joined a line's segments instead.
    bool AddText(CRtfXmlText* item, bool& merged);
    // The page owns every item it accepted or merged, whatever list refers to it.
    void Adopt(std::unique_ptr<CRtfXmlText> item) { items.push_back(std::move(item)); }

    // Flowing text: the lines ordered top to bottom, cut into bands and fed to the sections.
    void AnalyseFlow();
    std::vector<CRtfXmlText*> SortLines();
    // Collects the band starting at the cursor (a position in sortedLines) and moves the cursor past it.
    void CollectBand(size_t& cursor, LineBand& band);
    // A thin rule lying under a line becomes its underline; true when a line took it.
    bool UnderlineFromRule(RtfRect rule);
    // A line joined into another leaves the vertical order and the flow.
    void TakeOutLine(CRtfXmlText* line);

    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }

    int number;
    RtfRect rect{0, 0, 612, 792};
    // A page larger than a word processor's largest (22 inches) is scaled down to
    // fit, text and graphics alike; 1 for every other page.
    double contentScale = 1.0;
    RtfRect margins;
    int rotation = 0;
    CRtfDocument* document;
    std::unique_ptr<CRtfPageFlow> flow;
    uint8_t firstWritten = 0;
    std::vector<std::unique_ptr<GraphicEntry>> graphics;
    std::vector<std::unique_ptr<CRtfXmlText>> items;
    // Both refer to items the page owns.
    TRtfFlowingText<> flowingText;
    std::vector<CRtfXmlText*> sortedLines;
    TextShapeChain shapeChain;

private:
    bool ContainmentTest(CRtfXmlText* item, CRtfXmlText* other);
    bool OverprintTest(CRtfXmlText* item, CRtfXmlText* other);
    void MergeBefore(CRtfXmlText* head, CRtfXmlText* item, size_t segment, bool withOwnBox);
};
