#include "app/RtfEngine.h"

#include <algorithm>
#include <map>
#include <utility>

#include "layout/TableFind.h"
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
    if (document_->layoutMode == kLayoutFlowing) document_->colours.AddTableColours();
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
    if (document_->layoutMode == kLayoutFlowing) flowPending_ = true;
    // These layouts get no graphics: their tables come from aligned text alone.
    if (document_->layoutMode == kLayoutFormatted || document_->layoutMode == kLayoutTextOnly)
        layout_->TakeTables(FindTables(layout_->flow.lines, {}));
    return true;
}

void RtfEngine::AnalyseFlow(const std::vector<RulePiece>& rules) {
    if (!flowPending_ || !layout_) return;
    flowPending_ = false;
    layout_->TakeTables(FindTables(layout_->flow.lines, rules));
    layout_->AnalyseFlow();
}

namespace {

// The shape without the shape groups a table took as its borders and grounds;
// false when none is left.
bool TakeOutPieces(VectorShape& shape, const std::vector<int>& pieces) {
    if (pieces.empty()) return true;
    if (static_cast<int>(pieces.size()) >= shape.shapesWritten) return false;
    std::string kept;
    const size_t n = shape.pieceStarts.size();
    for (size_t i = 0; i < n; ++i) {
        if (std::find(pieces.begin(), pieces.end(), static_cast<int>(i)) != pieces.end()) continue;
        const size_t end = i + 1 < n ? shape.pieceStarts[i + 1] : shape.rtfText.size();
        kept.append(shape.rtfText, shape.pieceStarts[i], end - shape.pieceStarts[i]);
    }
    shape.rtfText = std::move(kept);
    shape.shapesWritten -= static_cast<int>(pieces.size());
    return true;
}

// The rule pieces of a page's shapes, each with the shape it belongs to.
struct PageRules {
    std::vector<RulePiece> pieces;
    std::vector<VectorShape*> owners;
};

PageRules CollectRules(const GraphicsList& entries) {
    PageRules rules;
    for (const auto& entry : entries) {
        if (entry->Kind() != GraphicEntry::KindShape) continue;
        auto& shape = static_cast<VectorShape&>(*entry);
        for (const RulePiece& rule : shape.rulePieces) {
            rules.pieces.push_back(rule);
            rules.owners.push_back(&shape);
        }
    }
    return rules;
}

// A shape group goes when the tables took every rule of it: a cell's rectangle is
// four borders, and one of them alone must not take the others along.
void DropTakenRules(GraphicsList& entries, const PageRules& rules,
                    const std::vector<std::unique_ptr<PageTable>>& tables) {
    std::vector<bool> ruleTaken(rules.pieces.size(), false);
    for (const auto& table : tables)
        for (size_t index : table->rulesTaken)
            if (index < ruleTaken.size()) ruleTaken[index] = true;
    std::map<std::pair<const GraphicEntry*, int>, bool> pieceTaken;
    for (size_t i = 0; i < rules.pieces.size(); ++i) {
        auto [at, added] = pieceTaken.try_emplace({rules.owners[i], rules.pieces[i].piece}, ruleTaken[i]);
        if (!added) at->second = at->second && ruleTaken[i];
    }
    std::map<const GraphicEntry*, std::vector<int>> taken;
    for (const auto& [key, all] : pieceTaken)
        if (all) taken[key.first].push_back(key.second);
    if (taken.empty()) return;
    std::erase_if(entries, [&](const std::unique_ptr<GraphicEntry>& entry) {
        auto at = taken.find(entry.get());
        return at != taken.end() && !TakeOutPieces(static_cast<VectorShape&>(*entry), at->second);
    });
}

}  // namespace

void RtfEngine::AddGraphics(GraphicsList& list) {
    if (!page_) return;
    GraphicsList entries = std::exchange(list, {});
    std::erase_if(entries, [&](const std::unique_ptr<GraphicEntry>& entry) {
        if (!entry) return true;
        if (entry->Kind() != GraphicEntry::KindShape) return false;
        return !ConvertShapeToRtf(static_cast<VectorShape&>(*entry), page_.get(), document_->shapeIds);
    });
    const bool flowing = document_->layoutMode == kLayoutFlowing;
    if (flowing) {
        const PageRules rules = CollectRules(entries);
        AnalyseFlow(rules.pieces);
        DropTakenRules(entries, rules, layout_->tables);
    }
    for (auto& entry : entries) {
        if (entry->Kind() == GraphicEntry::KindShape) {
            auto& shape = static_cast<VectorShape&>(*entry);
            // Only a shape of one piece can be a rule: taking a larger one would
            // lose its other pieces from the page.
            if (flowing && shape.shapesWritten == 1 && layout_->UnderlineFromRule(shape.Box())) {
                shape.rtfText.clear();
                continue;
            }
        }
        page_->graphics.push_back(std::move(entry));
    }
}

bool RtfEngine::WritePage(PageInRange range) {
    AnalyseFlow({});
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
