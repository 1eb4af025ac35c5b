#pragma once
// Scanned pages for tests and benchmarks: a PDF's pages rasterised as a scanner
// sees them (turned a little, with dust if asked), wrapped as an image-only PDF.
#include <string>
#include <vector>

namespace testpdf {

// Grey pixels, one byte each, row after row.
struct GreyPage {
    int width = 0, height = 0;
    std::string pixels;
};

// Page `page` of the PDF at `dpi`, through pdftoppm.
GreyPage Rasterised(const std::string& pdf, const std::string& scratchStem, int dpi, int page = 1);
// Turned by `degrees` around its middle, with specks of dust: what a feeder makes of a page.
GreyPage Scanned(const GreyPage& page, double degrees, bool dust);
// A PGM file of the page, as image tools read it.
void SavePgm(const GreyPage& page, const std::string& path);
// Image-only pages, each its picture over the whole page, as a scanner writes them.
void SaveScan(const std::vector<GreyPage>& pages, int dpi, const std::string& path);

}  // namespace testpdf
