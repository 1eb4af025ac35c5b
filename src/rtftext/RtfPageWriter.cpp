// One page of the RTF: section break, pictures, page setup, body, loose items.
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "layout/PageLayout.h"
#include "rtf/CRtfDocument.h"
#include "rtftext/CRtfFile.h"
#include "rtftext/FlowingBody.h"
#include "rtftext/Hyperlinks.h"
#include "rtftext/TextBoxes.h"
#include "rtfgraphics/PageGraphicsWriter.h"
#include "rtftext/RunWriter.h"
#include "rtftext/LineWriter.h"
#include "rtftext/ParagraphWriters.h"
#include "rtftext/FrameWriter.h"
#include "rtftext/TableWriter.h"

namespace {

const char* const kPageBreak = "\\pard\\sect\\sectd\\sbkpage";
// An empty paragraph one point high: the anchor of the page's pictures, shapes and text boxes.
const char* const kAnchorParagraph = "\\pard\\plain\\fs2\\sl-20\\slmult0\\par\n";
// What the page's pictures and shapes stand in, before its first paragraph's own
// properties. LibreOffice ends the paragraph of a picture where new paragraph
// properties follow it, and gives that paragraph the properties it was read
// with: the document's 12 points pushed the page's text a line down. A word
// processor that reads RTF as written takes the first paragraph's properties.
const char* const kGraphicsParagraph = "\\pard\\plain\\fs2\\sl-1\\slmult0 ";

}  // namespace

std::string CRtfFile::PageSetup(const CRtfPage& page) const {
    char buf[256];
    if (!pageWritten_)
        std::snprintf(buf, sizeof buf, "\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%u\\margb%u\n",
                      ToTwips(page.Width()), ToTwips(page.Height()), ToTwips(page.margins.left),
                      ToTwips(page.margins.right), static_cast<unsigned>(ToTwips(page.margins.top)),
                      static_cast<unsigned>(ToTwips(page.margins.bottom)));
    else
        std::snprintf(buf, sizeof buf, "\\pgwsxn%u\\pghsxn%u\\marglsxn%u\\margrsxn%u\\margtsxn%u\\margbsxn%u",
                      static_cast<unsigned>(ToTwips(page.Width())), static_cast<unsigned>(ToTwips(page.Height())),
                      static_cast<unsigned>(ToTwips(page.margins.left)),
                      static_cast<unsigned>(ToTwips(page.margins.right)),
                      static_cast<unsigned>(ToTwips(page.margins.top)),
                      static_cast<unsigned>(ToTwips(page.margins.bottom)));
    return buf;
}

std::string CRtfFile::PageBody(PageLayout& layout, PageInRange range) {
    std::string body;
    // The layouts of text alone write a table's rows where its top comes among the lines.
    size_t nextTable = 0;
    auto tablesAbove = [&](int top, bool plain) {
        std::string rows;
        for (; nextTable < layout.tables.size() && layout.tables[nextTable]->Box().top <= top; ++nextTable)
            rows += WriteTableLines(*layout.tables[nextTable], plain);
        return rows;
    };
    switch (document_.layoutMode) {
        case kLayoutTextOnly:
            for (CRtfXmlText* head : layout.flow.lines)
                body += tablesAbove(head->lineBox.top, true) + WritePlainParagraph(*head);
            body += tablesAbove(std::numeric_limits<int>::max(), true);
            break;
        case kLayoutAsIs:
            for (CRtfXmlText* head : layout.flow.lines) body += WriteFrame(*head, layout.flow);
            break;
        case kLayoutFormatted:
            for (CRtfXmlText* head : layout.flow.lines)
                body += tablesAbove(head->lineBox.top, false) + WriteFormattedParagraph(*head);
            body += tablesAbove(std::numeric_limits<int>::max(), false);
            break;
        default:
            body = WriteFlowingBody(layout, range.last, !pageWritten_);
            break;
    }
    return body;
}

namespace {

// The words of a turned line keep their left edge, or their top, as they advance.
bool SameRow(const CRtfXmlText& previous, const CRtfXmlText& item) {
    return std::abs(previous.box.left - item.box.left) <= 2 || std::abs(previous.box.top - item.box.top) <= 2;
}

}  // namespace

// Items outside the page's reading orientation become text shapes. An item no
// shape is made for (on a turned page, every item) would lose its words: those
// are kept as plain paragraphs, one per row of items, words apart.
CRtfFile::LooseText CRtfFile::LooseItems(PageLayout& layout) {
    LooseText out;
    std::string paragraph;
    auto flush = [&] {
        if (!paragraph.empty()) out.paragraphs += "\\pard " + paragraph + "\\par";
        paragraph.clear();
    };
    std::vector<CRtfXmlText*> items = layout.flow.loose;
    for (CRtfXmlText* item : items) item->page = &layout.page;
    // "AS IS" keeps the look of turned words too: turned boxes at their places.
    if (document_.layoutMode == kLayoutAsIs) out.shapes += WriteTurnedBoxes(items);
    const CRtfXmlText* previous = nullptr;
    // The text layouts hold words and paragraphs only: turned words are paragraphs
    // there too, in reading order.
    const bool shapes = document_.layoutMode != kLayoutTextOnly && document_.layoutMode != kLayoutFormatted;
    for (CRtfXmlText* item : items) {
        std::string shape = shapes ? WriteItem(*item, layout.shapeChain) : std::string();
        if (!shape.empty()) {
            flush();
            out.shapes += shape;
            previous = nullptr;
            continue;
        }
        std::string words = document_.layoutMode == kLayoutTextOnly ? StripLinks(WritePlainRuns(item->runs))
                                                                     : ApplyLinks(*item, WriteRuns(item->runs, 0));
        if (words.empty()) continue;
        if (previous && !SameRow(*previous, *item)) flush();
        if (!paragraph.empty()) paragraph += "{ }";
        paragraph += words;
        previous = item;
    }
    flush();
    return out;
}

bool CRtfFile::WritePage(PageLayout& layout, PageInRange range) {
    CRtfPage* page = &layout.page;
    CRtfDocument& document = document_;
    std::string text;
    if (!range.first && pageWritten_) text = kPageBreak;

    // Only the layouts that keep the page's look carry its pictures and shapes.
    PageGraphicsPieces graphics;
    if (document.layoutMode == kLayoutFlowing || document.layoutMode == kLayoutAsIs)
        graphics = WritePageGraphics(*page, document.shapeIds, document.removeImages);
    std::string body = PageBody(layout, range);
    LooseText loose = LooseItems(layout);
    // Every page is a section of its own with its own paper, even one that holds
    // nothing. The text boxes of "AS IS" are anchored to a paragraph of their page:
    // without one they would go with the next page's first paragraph. Pages of
    // pictures alone get none, for a page too small to hold a line would take two.
    std::string setup = PageSetup(*page);
    std::string anchor;
    if (document.layoutMode == kLayoutAsIs && !(body.empty() && loose.shapes.empty() && loose.paragraphs.empty()))
        anchor = kAnchorParagraph;
    // Written piece by piece: the shapes of a drawing-heavy page run to tens of
    // megabytes, and joining them first would copy them all again. The turned
    // text shapes go with the page's pictures, into its first paragraph: after
    // the body they would fall into the paragraph the next page's section break
    // ends, and LibreOffice drops the shapes of that one.
    const std::string graphicsParagraph = kGraphicsParagraph;
    std::vector<const std::string*> pieces = {&text};
    if (!graphics.Empty() || !loose.shapes.empty()) pieces.push_back(&graphicsParagraph);
    pieces.insert(pieces.end(), graphics.pieces.begin(), graphics.pieces.end());
    for (std::string* piece : {&loose.shapes, &setup, &body, &loose.paragraphs, &anchor}) pieces.push_back(piece);
    bool ok = true;
    for (const std::string* piece : pieces)
        if (ok && !piece->empty()) ok = WriteString(*piece);
    if (!ok) return false;
    pageWritten_ = true;
    return true;
}
