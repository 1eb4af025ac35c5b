// Paragraphs of one line head for "FORMATTED TEXT" and "TEXT ONLY".
#include "rtf/CRtfXmlText.h"
#include "rtftext/Hyperlinks.h"
#include "rtftext/RunWriter.h"
#include "rtftext/LineWriter.h"
#include "rtftext/ParagraphWriters.h"

namespace {

template <typename WriteRuns>
std::string LineText(CRtfXmlText& head, WriteRuns write, bool scripts) {
    std::vector<CRtfXmlText*> pieces{&head};
    if (head.segments) pieces.insert(pieces.end(), head.segments->begin(), head.segments->end());
    return PiecesText(pieces, write, scripts);
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
