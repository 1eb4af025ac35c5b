#pragma once
// A picture-heavy document as office scanners and report generators make them:
// every page a full-page bi-level scan, an oversampled photograph, the same logo,
// and on every other page a picture with a soft mask, under a few lines of text.
#include "support/PdfWriter.h"

namespace testpdf {

PdfWriter PictureDocument(int pages);

}  // namespace testpdf
