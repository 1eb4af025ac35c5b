#include "rtf/CRtfDocument.h"

#include "rtftext/CRtfFile.h"
#include "rtf/CRtfXmlParse.h"
#include "rtf/GraphicsList.h"
#include "rtf/RecordedGraphics.h"
#include "rtfgraphics/PageGraphicsWriter.h"

std::unique_ptr<CRtfDocument> CRtfDocument::Create(const std::string& xmlPath, const std::string& rtfPath) {
    if (xmlPath.empty()) return nullptr;
    auto reader = std::make_unique<CRtfXmlParse>(xmlPath);
    if (!reader->Opened()) return nullptr;
    std::unique_ptr<CRtfDocument> document(new CRtfDocument);
    document->reader = std::move(reader);
    document->outputPath = rtfPath;
    if (!document->reader->ReadFonts(*document)) return nullptr;
    document->reader->CopyInfo(*document);
    return document;
}

// The page refers to the tables and the writer closes the file: page first, writer last.
CRtfDocument::~CRtfDocument() {
    layout.reset();
    page.reset();
    reader.reset();
    writer.reset();
}

bool CRtfDocument::OpenRtf() {
    if (writer) return writer->Ok();
    writer = std::make_unique<CRtfFile>(*this, outputPath);
    if (!writer->Ok()) {
        writer.reset();
        return false;
    }
    return true;
}

void CRtfDocument::SetLayoutMode(int mode) { layoutMode = (mode >= 1 && mode <= 3) ? mode : kLayoutFlowing; }

bool CRtfDocument::ReadPage(int n) {
    if (!reader) return true;
    if (!page) {
        page = std::make_unique<CRtfPage>(this, n);
        layout = std::make_unique<PageLayout>(*page);
    }
    std::vector<std::unique_ptr<CRtfXmlText>> items;
    reader->ReadPage(*this, *page, n, items);
    layout->PlaceItems(std::move(items));
    lastPageRead = n;
    if (layoutMode == kLayoutFlowing) layout->AnalyseFlow();
    return true;
}

void CRtfDocument::AddGraphics(GraphicsList& list) {
    if (!page) return;
    for (auto& entry : std::exchange(list, {})) {
        if (!entry) continue;
        if (entry->Kind() == GraphicEntry::KindShape) {
            auto& shape = static_cast<VectorShape&>(*entry);
            if (!ConvertShapeToRtf(shape, page.get(), shapeIds)) continue;
            // Only a shape of one piece can be a rule: taking a larger one would
            // lose its other pieces from the page.
            if (layoutMode == kLayoutFlowing && shape.shapesWritten == 1 && layout->UnderlineFromRule(shape.Box())) {
                shape.rtfText.clear();
                continue;
            }
        }
        page->graphics.push_back(std::move(entry));
    }
}

std::string CRtfDocument::XmlFileName() const { return reader ? reader->FileName() : std::string(); }

bool CRtfDocument::WritePage(unsigned char flags) {
    if (page && writer) writer->WritePage(*this, *layout, flags);
    layout.reset();
    page.reset();
    return true;
}

bool CRtfDocument::Close() {
    layout.reset();
    page.reset();
    return writer && writer->Finish();
}
