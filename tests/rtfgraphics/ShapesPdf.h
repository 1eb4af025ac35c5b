#pragma once
// The picture document of the page-graphics tests with a blue stroke added on
// its first page, and a page of text with a thin rule under one line.
#include "pagegraphics/PicturePdf.h"

namespace testpdf {

// Page 1: the red, green and blue rectangles, two pictures, the words, and a
// blue line 2 points wide below the words; page 3: one picture.
inline PdfWriter ShapesPdf() {
    PdfWriter w = PicturePdf();
    w.Pages()[0].content += "q 0 0 1 RG 2 w 72 150 m 300 150 l S Q\n";
    return w;
}

// A line of words with a rule as wide as it just below its baseline ("underlined
// words" is 91.4 points wide in Helvetica 12), and a line of words without one.
inline PdfWriter RulePdf() {
    PdfWriter w;
    w.AddPage(TextLine("underlined words", 72, 500) + "0 0 0 rg 72 498.8 91.4 0.7 re f\n" +
              TextLine("plain words", 72, 400));
    return w;
}

}  // namespace testpdf
