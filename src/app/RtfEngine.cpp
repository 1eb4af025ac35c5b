#include "app/RtfEngine.h"

#include <utility>

#include "rtf/CRtfXmlParse.h"
#include "rtf/GraphicsList.h"
#include "rtf/RecordedGraphics.h"
#include "rtfgraphics/PageGraphicsWriter.h"
#include "rtftext/CRtfFile.h"

std::unique_ptr<RtfEngine> RtfEngine::Create(const std::string& xmlPath, const std::string& rtfPath) {
    if (xmlPath.empty()) return nullptr;
    auto reader = std::make_unique<CRtfXmlParse>(xmlPath);
    if (!reader->Opened()) return nullptr;
    std::unique_ptr<RtfEngine> engine(new RtfEngine);
    engine->document_ = std::make_unique<CRtfDocument>();
    engine->reader_ = std::move(reader);
    engine->outputPath_ = rtfPath;
    CRtfDocument& document = *engine->document_;
    if (!engine->reader_->ReadFonts(document)) return nullptr;
    engine->reader_->CopyInfo(document);
    document.xmlFileName = engine->reader_->FileName();
    return engine;
}

// The layout refers to the page's items, the page to the tables, and the writer
// closes the file: layout, page, reader, then writer.
RtfEngine::~RtfEngine() {
    layout_.reset();
    page_.reset();
    reader_.reset();
    writer_.reset();
}

bool RtfEngine::OpenRtf() {
    if (writer_) return writer_->Ok();
    writer_ = std::make_unique<CRtfFile>(*document_, outputPath_);
    if (!writer_->Ok()) {
        writer_.reset();
        return false;
    }
    return true;
}

void RtfEngine::SetLayoutMode(int mode) {
    document_->layoutMode = (mode >= 1 && mode <= 3) ? static_cast<RtfLayoutMode>(mode) : kLayoutFlowing;
}

bool RtfEngine::ReadPage(int n) {
    if (!reader_) return true;
    if (!page_) {
        page_ = std::make_unique<CRtfPage>(document_.get(), n);
        layout_ = std::make_unique<PageLayout>(*page_);
    }
    std::vector<std::unique_ptr<CRtfXmlText>> items;
    reader_->ReadPage(*document_, *page_, n, items);
    layout_->PlaceItems(std::move(items));
    if (document_->layoutMode == kLayoutFlowing) layout_->AnalyseFlow();
    return true;
}

void RtfEngine::AddGraphics(GraphicsList& list) {
    if (!page_) return;
    for (auto& entry : std::exchange(list, {})) {
        if (!entry) continue;
        if (entry->Kind() == GraphicEntry::KindShape) {
            auto& shape = static_cast<VectorShape&>(*entry);
            if (!ConvertShapeToRtf(shape, page_.get(), document_->shapeIds)) continue;
            // Only a shape of one piece can be a rule: taking a larger one would
            // lose its other pieces from the page.
            if (document_->layoutMode == kLayoutFlowing && shape.shapesWritten == 1 &&
                layout_->UnderlineFromRule(shape.Box())) {
                shape.rtfText.clear();
                continue;
            }
        }
        page_->graphics.push_back(std::move(entry));
    }
}

bool RtfEngine::WritePage(PageInRange range) {
    if (page_ && writer_) writer_->WritePage(*layout_, range);
    layout_.reset();
    page_.reset();
    return true;
}

bool RtfEngine::Close() {
    layout_.reset();
    page_.reset();
    return writer_ && writer_->Finish();
}

std::vector<std::string> RtfEngine::TakeNotes() { return std::exchange(document_->notes, {}); }
