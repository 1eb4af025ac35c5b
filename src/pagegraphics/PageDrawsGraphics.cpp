#include "pagegraphics/PageDrawsGraphics.h"

#include <Annot.h>
#include <Lexer.h>
#include <Object.h>
#include <PDFDoc.h>
#include <Page.h>

#include <cstring>

namespace pagegraphics {
namespace {

// Path painting, shading, XObjects (pictures and forms alike) and inline images.
bool PaintsGraphics(const char* op) {
    static const char* const kPainting[] = {"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "sh", "Do", "BI"};
    for (const char* p : kPainting)
        if (std::strcmp(op, p) == 0) return true;
    return false;
}

}  // namespace

bool PageDrawsGraphics(PDFDoc& doc, int page) {
    Page* p = doc.getPage(page);
    if (!p) return true;
    if (Annots* annots = p->getAnnots(); annots && !annots->getAnnots().empty()) return true;
    Object contents = p->getContents();
    if (contents.isNull()) return false;
    if (!contents.isStream() && !contents.isArray()) return true;
    Lexer lexer(doc.getXRef(), &contents);
    for (Object token = lexer.getObj(); !token.isEOF(); token = lexer.getObj()) {
        if (token.isError()) return true;
        if (token.isCmd() && PaintsGraphics(token.getCmd())) return true;
    }
    return false;
}

}  // namespace pagegraphics
