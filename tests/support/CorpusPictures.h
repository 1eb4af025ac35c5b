#pragma once
// The corpus PDFs that hold pictures, and how many pictures pdfimages counts in
// each (masks aside), for the image job's smoke tests and its benchmark.
#include <string>
#include <vector>

namespace testpdf {

struct CorpusPictureFile {
    std::string path;
    int pictures = 0;  // drawn images and stencil masks, soft masks and masks aside
};

// Pictures of a PDF as `pdfimages -list` counts them; 0 when it cannot read it.
int PdfimagesPictureCount(const std::string& path);

// Every corpus PDF with at least one picture, by name; empty without the corpus.
std::vector<CorpusPictureFile> CorpusPictureFiles();

}  // namespace testpdf
