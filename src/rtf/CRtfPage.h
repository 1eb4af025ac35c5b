#pragma once
// The page being built: geometry and margins from the XML, the text items and
// their flow, and the graphics handed over for it.
#include <memory>
#include <vector>

#include "layout/CRtfPageFlow.h"
#include "layout/CRtfXmlText.h"
#include "rtf/RtfRect.h"
#include "rtf/TSafeList.h"

class CRtfDocument;
class CRtfShpObject;

// Highest page coordinate the RTF page setup accepts.
constexpr int kMaxPageCoordinate = 2375;
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
    void Adopt(CRtfXmlText* item) { items.Append(item); }

    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }

    int number;
    RtfRect rect{0, 0, 612, 792};
    RtfRect margins;
    int rotation = 0;
    CRtfDocument* document;
    std::unique_ptr<CRtfPageFlow> flow;
    uint8_t firstWritten = 0;
    std::vector<std::unique_ptr<CRtfShpObject>> graphics;
    TSafeList<CRtfXmlText> items;

private:
    bool ContainmentTest(CRtfXmlText* item, CRtfXmlText* other);
    bool OverprintTest(CRtfXmlText* item, CRtfXmlText* other);
    void MergeBefore(CRtfXmlText* head, CRtfXmlText* item, size_t segment, bool withOwnBox);
};
