#pragma once
// Thin horizontal rules lying under text become the text's underline.
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfRect.h"

// Underlines the runs of the line lying over a thin rule; true when a run was marked.
bool UnderlineCheck(CRtfXmlText& item, const RtfRect& rule);
