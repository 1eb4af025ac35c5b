#pragma once
// "AS IS": lines framed at their places on the page.
#include <string>

#include "rtf/CRtfXmlText.h"

// The line head and each of its segments framed at their places.
std::string WriteFrame(CRtfXmlText& head);
// A column of vertical writing: a frame whose text runs down the page.
std::string WriteVerticalFrame(CRtfXmlText& item);
