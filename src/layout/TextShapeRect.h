#pragma once
// Where a piece rotated against its page goes as a text shape.
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfRect.h"

// The shape's rectangle in twips (empty: no shape); records the shape for the next piece to follow.
RtfRect TextShapeRect(CRtfXmlText& item);
// The angle the shape is turned by, in degrees counter-clockwise.
int ShapeAngle(const CRtfXmlText& item);
