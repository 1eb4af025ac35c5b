// Where a page's text comes from: the device asks the job at the end of the page,
// and reads the hidden layer or places the recognised words accordingly.
#include <UTF.h>
#include <goo/gmem.h>

#include <algorithm>

#include "extract/HtmlOutputDev.h"

namespace {

// The plain faces a word processor has everywhere, of the kind the recognizer saw.
const char* FamilyOf(const RecognisedWord& word) {
    if (word.monospace) return "Courier New";
    return word.serif ? "Times New Roman" : "Arial";
}

HtmlFontClass FaceClassOf(const RecognisedWord& word) {
    HtmlFontClass c;
    c.kind = word.monospace ? FaceKind::Mono : word.serif ? FaceKind::Serif : FaceKind::Sans;
    return c;
}

std::vector<unsigned> CodePoints(const std::string& utf8) {
    Unicode* ucs4 = nullptr;
    const int n = utf8ToUCS4(utf8.c_str(), &ucs4);
    std::vector<unsigned> out(ucs4, ucs4 + std::max(n, 0));
    gfree(ucs4);
    return out;
}

}  // namespace

void HtmlOutputDev::settlePageText() {
    if (!recognition) {
        page->settleHiddenRuns(false);
        return;
    }
    const PageTextSource source = recognition->Choose(page->textFacts(pageNumber));
    page->settleHiddenRuns(source == PageTextSource::HiddenLayer);
    if (source != PageTextSource::Recognised) return;
    for (const RecognisedWord& word : recognition->Recognise(pageNumber))
        page->addPlacedWord(FamilyOf(word), FaceClassOf(word), word.size, word.left, word.right, word.baseline,
                            CodePoints(word.text));
}
