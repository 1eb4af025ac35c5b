// Paragraphs of one line head for "FORMATTED TEXT" and "TEXT ONLY".
#include "layout/CRtfXmlText.h"
#include "layout/Hyperlinks.h"

namespace {

template <typename WriteRuns>
std::string LineText(CRtfXmlText& head, WriteRuns write, bool scripts) {
    std::string text = write(head);
    if (!head.segments) return text;
    const CRtfXmlText* previous = &head;
    for (CRtfXmlText* s : *head.segments) {
        // A footnote mark or an exponent keeps its place above or below the line.
        const int script = scripts ? s->ScriptKind(*previous) : 0;
        // The extraction delivers the words of a line as separate pieces.
        if (script == 0 && s->StandsApartFrom(*previous)) text += "{ }";
        if (script == 1)
            text += "{\\super " + write(*s) + "}";
        else if (script == 2)
            text += "{\\sub " + write(*s) + "}";
        else
            text += write(*s);
        previous = s;
    }
    return text;
}

}  // namespace

std::string CRtfXmlText::WriteFormattedParagraph() {
    std::string text = LineText(*this, [](CRtfXmlText& item) { return item.runs.WriteRuns(0); }, true);
    return "\\pard " + ApplyLinks(text) + "\\par";
}

std::string CRtfXmlText::WritePlainParagraph() {
    std::string text = LineText(*this, [](CRtfXmlText& item) { return item.runs.WritePlainRuns(); }, false);
    return "\\pard " + StripLinks(text) + "\\par";
}
