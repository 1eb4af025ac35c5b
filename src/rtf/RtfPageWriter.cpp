// One page of the RTF: section break, pictures, page setup, body, loose items.
#include <cstdio>

#include "rtf/CRtfDocument.h"
#include "rtf/CRtfFile.h"

namespace {

const char* const kPageBreak = "\\pard\\sect\\sectd\\sbkpage";

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

std::string CRtfFile::PageBody(CRtfPage& page, unsigned) {
    std::string body;
    if (!page.flow) return body;
    switch (document_.layoutMode) {
        case kLayoutFormatted:
            for (CRtfXmlText* head : page.flow->lines) body += head->WriteFormattedParagraph();
            break;
        case kLayoutTextOnly:
            for (CRtfXmlText* head : page.flow->lines) body += head->WritePlainParagraph();
            break;
        default:
            // Positioned frames and the sections of flowing text are written by their own layouts.
            break;
    }
    return body;
}

bool CRtfFile::WritePage(CRtfDocument& document, unsigned flags) {
    CRtfPage* page = document.page.get();
    if (!page) return false;
    std::string text;
    if (!(flags & 1) && pageWritten_) text = kPageBreak;
    if (!pageWritten_) page->firstWritten = 1;

    // Pictures and shapes write themselves once their RTF writers exist.
    std::string pictures;
    std::string body = PageBody(*page, flags);
    std::string loose;
    if (page->flow)
        for (CRtfXmlText* item : page->flow->loose) {
            item->page = page;
            loose += item->WriteItem();
        }
    if (!pictures.empty() || !body.empty() || !loose.empty()) text += pictures + PageSetup(*page) + body + loose;
    if (text.empty()) {
        pageWritten_ = true;
        return true;
    }
    if (!WriteString(text)) return false;
    pageWritten_ = true;
    return true;
}
