#pragma once
// The page-graphics pass draws no text, yet the PDF core loads every font of a
// page, embedded programs and all, before it draws anything: on a typeset
// book that is a third of the pass. In the pass's own copy of the document each
// font is swapped for a built-in one that costs nothing to load; pictures and
// paths are drawn exactly as before.
class PDFDoc;

namespace pagegraphics {

// Swaps the fonts of page `page` and of the forms it draws, in memory only.
// Call it only on a document opened for the graphics pass: its text is lost.
void UseStandInFonts(PDFDoc& doc, int page);

}  // namespace pagegraphics
