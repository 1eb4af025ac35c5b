#pragma once
// Paragraphs of one line head for "FORMATTED TEXT" and "TEXT ONLY".
#include <string>
#include <vector>

#include "rtf/CRtfXmlText.h"
#include "rtftext/LineWriter.h"

// Pieces written one after another, as the extraction delivers the words of a line
// or a cell: a blank between pieces that stand apart, and with scripts, a footnote
// mark or an exponent kept above or below the piece before it.
template <typename Write>
std::string PiecesText(const std::vector<CRtfXmlText*>& pieces, Write write, bool scripts) {
    std::string text;
    const CRtfXmlText* previous = nullptr;
    for (CRtfXmlText* piece : pieces) {
        const Script script = scripts && previous ? ScriptKind(*piece, *previous) : Script::None;
        if (script == Script::Super)
            text += "{\\super " + write(*piece) + "}";
        else if (script == Script::Sub)
            text += "{\\sub " + write(*piece) + "}";
        else
            text += (previous && StandsApartFrom(*piece, *previous) ? "{ }" : "") + write(*piece);
        previous = piece;
    }
    return text;
}

std::string WriteFormattedParagraph(CRtfXmlText& head);
std::string WritePlainParagraph(CRtfXmlText& head);
