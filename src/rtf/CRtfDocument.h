#pragma once
// Root of the RTF engine for one conversion: reader, writer, current page,
// font table, colour list and document information.
#include <memory>
#include <utility>
#include <vector>
#include <string>

#include "convert/ConvertEngines.h"
#include "layout/PageLayout.h"
#include "rtf/CRtfDocInfo.h"
#include "rtf/CRtfFontTable.h"
#include "rtf/CRtfPage.h"
#include "rtf/RtfColorData.h"
#include "rtf/ShapeIds.h"

class CRtfXmlParse;
class CRtfFile;

enum RtfLayoutMode { kLayoutFlowing = 0, kLayoutAsIs = 1, kLayoutFormatted = 2, kLayoutTextOnly = 3 };

class CRtfDocument : public IRtfDocument {
public:
    // None when the XML cannot be opened or its fonts cannot be read.
    static std::unique_ptr<CRtfDocument> Create(const std::string& xmlPath, const std::string& rtfPath);
    ~CRtfDocument() override;

    bool OpenRtf() override;
    void SetLayoutMode(int mode) override;
    bool ReadPage(int n) override;
    void AddGraphics(GraphicsList& list) override;
    bool WritePage(unsigned char flags) override;
    bool Close() override;
    std::vector<std::string> TakeNotes() override { return std::exchange(notes, {}); }

    std::string XmlFileName() const;

    std::unique_ptr<CRtfPage> page;
    std::unique_ptr<PageLayout> layout;
    std::unique_ptr<CRtfXmlParse> reader;
    std::unique_ptr<CRtfFile> writer;
    CRtfDocInfo info;
    CRtfColorList colours;
    CRtfFontTable fonts;
    ShapeIds shapeIds;
    int lastPageRead = 0;
    std::string outputPath;
    int layoutMode = kLayoutFlowing;
    // Pictures are named but never written into the RTF; vector shapes stay.
    bool removeImages = false;
    std::vector<std::string> notes;

private:
    CRtfDocument() = default;
};
