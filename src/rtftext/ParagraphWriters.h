#pragma once
// Paragraphs of one line head for "FORMATTED TEXT" and "TEXT ONLY".
#include <string>

#include "rtf/CRtfXmlText.h"

std::string WriteFormattedParagraph(CRtfXmlText& head);
std::string WritePlainParagraph(CRtfXmlText& head);
