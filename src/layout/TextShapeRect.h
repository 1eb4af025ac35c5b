#pragma once
// Where a piece rotated against its page goes as a text shape.
#include "layout/TextShapeChain.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfRect.h"

// The shape's rectangle in twips (empty: no shape); records the shape in the page's chain
// for the next piece to follow.
RtfRect TextShapeRect(CRtfXmlText& item, TextShapeChain& chain);
// The angle the shape is turned by, in degrees counter-clockwise.
int ShapeAngle(const CRtfXmlText& item);
