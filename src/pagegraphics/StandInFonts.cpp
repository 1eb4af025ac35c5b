#include "pagegraphics/StandInFonts.h"

#include <PDFDoc.h>
#include <Page.h>
#include <XRef.h>

#include <set>

namespace pagegraphics {
namespace {

// Marks the font dictionaries already swapped, so that shared ones are done once.
constexpr const char* kStandInKey = "VellumorStandIn";
// Forms drawn inside forms: deeper nesting keeps its own fonts.
constexpr int kMostDepth = 8;

Object StandInFont(XRef* xref) {
    Object font(new Dict(xref));
    font.dictAdd("Type", Object(objName, "Font"));
    font.dictAdd("Subtype", Object(objName, "Type1"));
    font.dictAdd("BaseFont", Object(objName, "Helvetica"));
    font.dictAdd(kStandInKey, Object(true));
    return font;
}

// The same names, each a built-in font; nothing when `fonts` is not a font
// dictionary (a damaged file may point anywhere), or is swapped already.
Object StandInFontDict(XRef* xref, const Object& fonts) {
    if (!fonts.isDict() || fonts.dictGetLength() == 0) return Object();
    Object swapped(new Dict(xref));
    for (int i = 0; i < fonts.dictGetLength(); ++i) {
        Object font = fonts.dictGetVal(i);
        if (!font.isDict() || !font.dictIs("Font")) return Object();
        if (font.dictLookup(kStandInKey).isBool()) return Object();
        swapped.dictAdd(fonts.dictGetKey(i), StandInFont(xref));
    }
    return swapped;
}

class Swapper {
public:
    explicit Swapper(XRef* xref) : xref_(xref) {}

    // Swaps the fonts of a resource dictionary held in memory by its owner.
    void Resources(Dict* resources, int depth) {
        if (!resources || depth > kMostDepth) return;
        const Object& fonts = resources->lookupNF("Font");
        if (fonts.isRef()) {
            Object swapped = StandInFontDict(xref_, fonts.fetch(xref_));
            if (swapped.isDict()) xref_->setModifiedObject(&swapped, fonts.getRef());
        } else if (fonts.isDict()) {
            Object swapped = StandInFontDict(xref_, fonts);
            if (swapped.isDict()) resources->set("Font", std::move(swapped));
        }
        Forms(resources, depth);
    }

private:
    // Forms are read again from the file each time they are drawn, so only
    // what they hold by reference can be swapped for good.
    void Forms(Dict* resources, int depth) {
        Object forms = resources->lookup("XObject");
        if (!forms.isDict()) return;
        for (int i = 0; i < forms.dictGetLength(); ++i) {
            const Object& ref = forms.dictGetValNF(i);
            if (!ref.isRef() || !seen_.insert(ref.getRef().num).second) continue;
            Object form = ref.fetch(xref_);
            if (!form.isStream()) continue;
            Object subtype = form.streamGetDict()->lookup("Subtype");
            if (!subtype.isName("Form")) continue;
            const Object& inner = form.streamGetDict()->lookupNF("Resources");
            if (inner.isRef()) {
                Object held = inner.fetch(xref_);
                if (!held.isDict()) continue;
                Resources(held.getDict(), depth + 1);
                xref_->setModifiedObject(&held, inner.getRef());
            } else if (inner.isDict()) {
                // Only its font dictionary, if shared by reference, outlives this look.
                Object copy = inner.copy();
                Resources(copy.getDict(), depth + 1);
            }
        }
    }

    XRef* xref_;
    std::set<int> seen_;
};

}  // namespace

void UseStandInFonts(PDFDoc& doc, int page) {
    if (!doc.isOk() || page < 1 || page > doc.getNumPages()) return;
    Page* p = doc.getPage(page);
    if (!p) return;
    Swapper(doc.getXRef()).Resources(p->getResourceDict(), 0);
}

}  // namespace pagegraphics
