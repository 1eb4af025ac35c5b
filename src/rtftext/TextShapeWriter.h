#pragma once
// A text item rotated against its page, written as a turned text box at its place.
#include <string>

#include "layout/TextShapeChain.h"
#include "rtf/CRtfXmlText.h"

// Empty when the piece has no rectangle.
std::string WriteTextShape(CRtfXmlText& item, TextShapeChain& chain);
