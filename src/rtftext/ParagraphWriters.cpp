// Paragraphs of one line head for "FORMATTED TEXT" and "TEXT ONLY".
#include "rtf/CRtfXmlText.h"
#include "rtftext/Hyperlinks.h"
#include "rtftext/RunWriter.h"
#include "rtftext/LineWriter.h"
#include "rtftext/ParagraphWriters.h"

namespace {

template <typename WriteRuns>
std::string LineText(CRtfXmlText& head, WriteRuns write, bool scripts) {
    std::string text = write(head);
    if (!head.segments) return text;
    const CRtfXmlText* previous = &head;
    for (CRtfXmlText* s : *head.segments) {
        // A footnote mark or an exponent keeps its place above or below the line.
        const int script = scripts ? ScriptKind(*s, *previous) : 0;
        // The extraction delivers the words of a line as separate pieces.
        if (script == 0 && StandsApartFrom(*s, *previous)) text += "{ }";
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

std::string WriteFormattedParagraph(CRtfXmlText& head) {
    std::string text = LineText(head, [](CRtfXmlText& item) { return WriteRuns(item.runs, 0); }, true);
    return "\\pard " + ApplyLinks(head, text) + "\\par";
}

std::string WritePlainParagraph(CRtfXmlText& head) {
    std::string text = LineText(head, [](CRtfXmlText& item) { return WritePlainRuns(item.runs); }, false);
    return "\\pard " + StripLinks(text) + "\\par";
}
