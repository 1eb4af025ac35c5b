#pragma once
// A look at a page's content before it is drawn as PostScript: a page that
// paints nothing but text has nothing to record, and drawing it again would
// cost more than all its text.
class PDFDoc;

namespace pagegraphics {

// False only when the page certainly paints no path, shading or picture: its
// content holds none of their operators, no XObject and no inline image, and it
// has no annotations. Anything unreadable counts as drawing.
bool PageDrawsGraphics(PDFDoc& doc, int page);

}  // namespace pagegraphics
