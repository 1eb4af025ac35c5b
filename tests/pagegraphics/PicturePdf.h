#pragma once
// The picture document of the page-graphics tests: on page 1 a 40 x 20 JPEG
// drawn large and a raw 8 x 4 RGB picture between three coloured rectangles,
// page 2 text only, page 3 one picture.
#include <string>

#include "support/PdfWriter.h"
#include "support/TestImages.h"

namespace testpdf {

// JPEG: left half red, right half blue. Raw picture: top rows green, bottom rows yellow.
inline Rgb JpegColour(int x, int) { return x < 20 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; }
inline Rgb RawColour(int, int y) { return y < 2 ? Rgb{0, 255, 0} : Rgb{255, 255, 0}; }

inline PdfWriter PicturePdf() {
    PdfWriter w;
    int jpeg = w.AddJpegImage(JpegData(40, 20, JpegColour), 40, 20);
    int raw = w.AddRgbImage(RgbSamples(8, 4, RawColour), 8, 4);
    std::string resources = XObjectResources({{"Im1", jpeg}, {"Im2", raw}});
    Page& p1 = w.AddPage(FilledRectangle(50, 50, 100, 40, 1, 0, 0) + DrawImage("Im1", 400, 0, 0, 200, 100, 500) +
                         FilledRectangle(200, 50, 100, 40, 0, 1, 0) + DrawImage("Im2", 80, 0, 0, 40, 100, 300) +
                         FilledRectangle(350, 50, 100, 40, 0, 0, 1) + TextLine("Words beside the pictures", 72, 200));
    p1.extraResources = resources;
    w.AddPage(TextLine("Page two has words only", 72, 700));
    Page& p3 = w.AddPage(DrawImage("Im2", 160, 0, 0, 80, 72, 400) + TextLine("Page three words", 72, 700));
    p3.extraResources = resources;
    return w;
}

// Pictures of 16-bit samples, which only Ghostscript renders: `draws` times the same
// picture and once an 8-bit one, with a line of words.
inline PdfWriter DeepPicturePdf(int draws) {
    PdfWriter w;
    const int deep = w.AddStream("/Type /XObject /Subtype /Image /Width 2 /Height 2 /ColorSpace /DeviceRGB "
                                 "/BitsPerComponent 16",
                                 std::string(24, '\x40'));
    const int shallow = w.AddRgbImage(std::string(12, '\x40'), 2, 2);
    std::string content = DrawImage("Shallow", 100, 0, 0, 100, 72, 300) + TextLine("Words", 72, 700);
    for (int i = 0; i < draws; ++i) content += DrawImage("Deep", 100, 0, 0, 100, 72 + 120 * i, 500);
    Page& page = w.AddPage(content);
    page.extraResources = XObjectResources({{"Deep", deep}, {"Shallow", shallow}});
    return w;
}

}  // namespace testpdf
