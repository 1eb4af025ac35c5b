#include "extract/HtmlOutputDev.h"

#include <Error.h>
#include <GfxFont.h>
#include <GfxState.h>
#include <GlobalParams.h>
#include <Link.h>
#include <PDFDoc.h>
#include <Page.h>
#include <UTF.h>

#include <cstring>

#include "extract/MathGlyphs.h"
#include "extract/XmlValueFormat.h"

namespace {

// The HTML name of the PDF core's text encoding.
std::string EncodingName() {
    std::string name = globalParams ? globalParams->getTextEncodingName() : std::string("Latin1");
    return name == "Latin1" ? "ISO-8859-1" : name;
}

}  // namespace

HtmlOutputDev::HtmlOutputDev(const char* fileName, const char* author, const char* keywords, const char* subject,
                             const char* date, bool rawOrder)
    : page(std::make_unique<HtmlPageBuffer>(rawOrder)), docName(fileName ? fileName : "") {
    const std::pair<const char*, const char*> items[] = {
        {"author", author}, {"keywords", keywords}, {"date", date}, {"subject", subject}};
    for (const auto& [name, value] : items)
        if (value) metaList.emplace_back(name, xmlvalue::OneLine(value));

    std::string path = docName + ".xml";
    outputFile = std::fopen(path.c_str(), "w");
    if (!outputFile) {
        error(errIO, -1, "Couldn't open html file '{0:s}'", path.c_str());
        return;
    }
    std::string head = "<?xml version=\"1.0\" encoding=\"" + EncodingName() + "\"?>\n<pdf2xml";
    for (const auto& [name, value] : metaList) head += " " + name + "=\"" + value + "\"";
    head += ">\n";
    std::fwrite(head.data(), 1, head.size(), outputFile);
    ok = true;
}

HtmlOutputDev::~HtmlOutputDev() {
    if (outputFile) {
        std::fputs("</pdf2xml>\n", outputFile);
        std::fclose(outputFile);
    }
}

bool HtmlOutputDev::checkPageSlice(Page* p, double, double, int, bool, bool, int, int, int, int, bool, bool (*)(void*),
                                   void*, bool (*)(Annot*, void*), void*) {
    pageBeingDrawn = p;
    return true;
}

void HtmlOutputDev::startPage(int pageNum, GfxState* state, XRef* xref) {
    pageNumber = pageNum;
    page->reset();
    page->setXRef(xref);
    int hRes = xmlvalue::Truncate(state->getHDPI());
    int vRes = xmlvalue::Truncate(state->getVDPI());
    int width = xmlvalue::Truncate(state->getPageWidth());
    int height = xmlvalue::Truncate(state->getPageHeight());
    int rotation = state->getRotate();
    page->setPageGeometry(width, height, hRes, vRes, rotation);
    if (!outputFile) return;
    std::fprintf(outputFile,
                 "<page pnumber=\"%u\" pposition=\"absolute\" ptop=\"%u\" pleft=\"%u\" pheight=\"%u\" pwidth=\"%u\" "
                 "protation=\"%u\">\n",
                 static_cast<unsigned>(pageNum), static_cast<unsigned>(hRes), static_cast<unsigned>(vRes),
                 static_cast<unsigned>(height), static_cast<unsigned>(width), static_cast<unsigned>(rotation));
}

void HtmlOutputDev::endPage() {
    // The core hands links to a device only on request, after the page; they are
    // needed before the runs are resolved.
    if (pageBeingDrawn) {
        Catalog* catalog = pageBeingDrawn->getDoc() ? pageBeingDrawn->getDoc()->getCatalog() : nullptr;
        if (std::unique_ptr<Links> links = pageBeingDrawn->getLinks())
            for (AnnotLink* link : links->getLinks()) drawLink(link, catalog);
        pageBeingDrawn = nullptr;
    }
    page->endRun();
    settlePageText();
    page->resolveRuns();
    if (outputFile) {
        page->writePage(outputFile, pageNumber);
        std::fputs("</page>\n", outputFile);
    }
}

void HtmlOutputDev::updateFont(GfxState* state) { page->updateFont(state); }

// The size on the page follows the text and transformation matrices as well:
// producers that set a large size and scale it down with the matrix would
// otherwise have their gaps measured against the large size.
void HtmlOutputDev::updateTextMat(GfxState* state) { page->updateFont(state); }

void HtmlOutputDev::updateCTM(GfxState* state, double, double, double, double, double, double) {
    page->updateFont(state);
}

void HtmlOutputDev::beginStringOp(GfxState* state) { page->beginRun(state); }

void HtmlOutputDev::endStringOp(GfxState*) { page->endRun(); }

const HtmlOutputDev::SymbolCodes& HtmlOutputDev::symbolCodesOf(GfxFont& font) {
    auto build = [&font](SymbolCodes& codes) {
        auto& simple = static_cast<Gfx8BitFont&>(font);
        codes.blackboard = font.getName() && IsBlackboardFace(*font.getName());
        codes.any = codes.blackboard;
        for (int code = 0; code < 256; ++code) {
            codes.characters[static_cast<size_t>(code)] = MathGlyphCharacter(simple.getCharName(code));
            codes.any = codes.any || codes.characters[static_cast<size_t>(code)] != 0;
        }
    };
    // A font without an object of its own (a Type 3 font's inline resources) is
    // looked at each time; such fonts are rare.
    const Ref* id = font.getID();
    if (!id || id->num < 0) {
        scratchCodes = SymbolCodes();
        build(scratchCodes);
        return scratchCodes;
    }
    auto [it, added] = symbolCodes.try_emplace(std::make_pair(id->num, id->gen));
    if (added) build(it->second);
    return it->second;
}

void HtmlOutputDev::drawChar(GfxState* state, double x, double y, double dx, double dy, double, double,
                             CharCode code, int, const Unicode* u, int uLen) {
    // Math and symbol fonts without a character map carry their meaning in their
    // glyph names; the PDF core passes the names it does not know on as the
    // character codes, which read as plain letters.
    GfxFont* font = state->getFont().get();
    if (font && !font->isCIDFont() && !font->hasToUnicodeCMap() && code < 256) {
        const SymbolCodes& codes = symbolCodesOf(*font);
        if (codes.any) {
            Unicode mapped = codes.characters[code];
            if (mapped == 0 && uLen == 1 && codes.blackboard) mapped = DoubleStruck(u[0]);
            if (mapped != 0) {
                page->addChar(state, x, y, dx, dy, &mapped, 1);
                return;
            }
        }
    }
    page->addChar(state, x, y, dx, dy, u, uLen);
}

void HtmlOutputDev::beginActualText(GfxState* state, const GooString* text) {
    std::vector<unsigned> characters;
    if (text) {
        Unicode* ucs4 = nullptr;
        int n = TextStringToUCS4(text->toStr(), &ucs4);
        characters.assign(ucs4, ucs4 + n);
        gfree(ucs4);
    }
    page->beginActualText(state, std::move(characters));
}

void HtmlOutputDev::endActualText(GfxState*) { page->endActualText(); }
