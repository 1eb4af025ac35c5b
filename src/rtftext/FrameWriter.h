#pragma once
// "AS IS": lines framed at their places on the page.
#include <string>

#include "layout/CRtfPageFlow.h"
#include "rtf/CRtfXmlText.h"

// The line head and each of its segments framed at their places; the page's other
// lines (its flow) tell a column gutter from a wide word gap.
std::string WriteFrame(CRtfXmlText& head, const CRtfPageFlow& flow);
// A column of vertical writing: a frame whose text runs down the page.
std::string WriteVerticalFrame(CRtfXmlText& item);
