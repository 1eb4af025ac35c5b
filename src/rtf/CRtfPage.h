#pragma once
// The page being built: geometry and margins from the XML, the text items kept
// on it, and the graphics handed over for it.
#include <memory>
#include <vector>

#include "rtf/CRtfXmlText.h"
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
    std::vector<std::unique_ptr<GraphicEntry>> graphics;
    // Every item placed on the page or merged into one of its lines, whatever list refers to it.
    std::vector<std::unique_ptr<CRtfXmlText>> items;
};
