#pragma once
// The words of a PDF with their boxes, as the PDF core's own pdftotext -bbox
// reads them: what a rendered result is compared with.
#include <string>
#include <vector>

namespace testpdf {

struct WordBox {
    std::string text;
    double left = 0, top = 0, right = 0, bottom = 0;  // points from the page's top left
};

// The words of page `page` (1-based), or of every page when it is 0, in reading order.
std::vector<WordBox> PdfWords(const std::string& pdf, int page = 0);

}  // namespace testpdf
