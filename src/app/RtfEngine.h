#pragma once
// The RTF engine the driver runs: the document model read from the intermediate
// XML, then each page read, laid out and written in turn.
#include <memory>
#include <string>
#include <vector>

#include "convert/ConvertEngines.h"
#include "layout/PageLayout.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfPage.h"
#include "rtf/RecordedGraphics.h"

class CRtfXmlParse;
class CRtfFile;

class RtfEngine : public IRtfDocument {
public:
    // None when the XML cannot be opened or its fonts cannot be read.
    static std::unique_ptr<RtfEngine> Create(const std::string& xmlPath, const std::string& rtfPath);
    ~RtfEngine() override;

    bool OpenRtf() override;
    void SetLayoutMode(int mode) override;
    bool ReadPage(int n) override;
    void AddGraphics(GraphicsList& list) override;
    bool WritePage(PageInRange range) override;
    bool Close() override;
    std::vector<std::string> TakeNotes() override;

    CRtfDocument& Document() { return *document_; }
    // The page being built and its layout; none between pages.
    CRtfPage* Page() { return page_.get(); }
    PageLayout* Layout() { return layout_.get(); }
    bool Writing() const { return writer_ != nullptr; }

private:
    RtfEngine() = default;
    // Flowing text is analysed once the page's rules are known: the tables they
    // draw take their lines out of the flow first.
    void AnalyseFlow(const std::vector<RulePiece>& rules);

    // Declared first, so it outlives everything that refers to it.
    std::unique_ptr<CRtfDocument> document_;
    std::unique_ptr<CRtfXmlParse> reader_;
    std::unique_ptr<CRtfFile> writer_;
    std::unique_ptr<CRtfPage> page_;
    // Refers to the page's items: it always goes before the page.
    std::unique_ptr<PageLayout> layout_;
    std::string outputPath_;
    bool flowPending_ = false;
};
