#pragma once
// The three engines the driver runs, behind narrow interfaces so the page loops
// can be driven with stand-ins.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtf/GraphicsList.h"
#include "rtf/PageInRange.h"

class OutputDev;
class CConvertPara;
class IPageRecognition;

class PDFDoc;

namespace pagegraphics {
struct PageGraphicsJob;
struct PendingDrawings;
}

// What the text extraction device is built from.
struct TextDeviceSpec {
    std::string outputName;  // the XML is written to outputName + ".xml"
    std::string author, keywords, subject, date;
    bool rawOrder = true;
    // Asked at the end of each page where its text comes from (borrowed).
    IPageRecognition* recognition = nullptr;
};

// The RTF engine's document, in the order the driver calls it.
class IRtfDocument {
public:
    virtual ~IRtfDocument() = default;  // finishes and closes the RTF file
    virtual bool OpenRtf() = 0;
    virtual void SetLayoutMode(int mode) = 0;
    virtual bool ReadPage(int n) = 0;
    virtual void AddGraphics(GraphicsList& list) = 0;
    virtual bool WritePage(PageInRange range) = 0;
    // Finishes the file; false when any of it could not be written.
    virtual bool Close() = 0;
    // What the user must hear of the pages read so far (a page scaled to fit); taken once.
    virtual std::vector<std::string> TakeNotes() { return {}; }
};

struct ConvertEngines {
    // Returns no device when it is not ready (its XML file could not be created).
    std::function<std::unique_ptr<OutputDev>(const TextDeviceSpec&)> makeTextDevice;
    // Returns no document when the XML cannot be loaded; the RTF goes to para.rtfPath.
    std::function<std::unique_ptr<IRtfDocument>(const std::string& xmlPath, const CConvertPara& para)>
        createRtfDocument;
    // Writes page n as PostScript, records its graphics into `graphics` and filters
    // its images; 0 = no problem. Given `later`, it may leave the page's drawings
    // there for pageDrawings, which another thread runs with a PDF of its own.
    std::function<int(pagegraphics::PageGraphicsJob& job, int page, GraphicsList& graphics,
                      pagegraphics::PendingDrawings* later)>
        pageGraphics;
    // Optional: without it every page is completed by pageGraphics.
    std::function<int(pagegraphics::PageGraphicsJob& job, PDFDoc& doc, int page, pagegraphics::PendingDrawings& pending,
                      GraphicsList& graphics)>
        pageDrawings;
};

