#pragma once
// The pictures and vector shapes of a page, in the order they were handed to
// it, as the RTF written at the start of the page.
#include <string>

class CRtfPage;
class ShapeIds;

std::string WritePageGraphics(const CRtfPage& page, ShapeIds& ids, bool removeImages);
