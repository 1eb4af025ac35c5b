#pragma once
// Image XObjects of the kinds scanners and office programs write, for test PDFs:
// Flate-compressed samples, bi-level scans, and pictures with a soft mask.
#include <functional>
#include <string>

#include "support/PdfWriter.h"

namespace testpdf {

// The data compressed with zlib, as a /FlateDecode stream holds it.
std::string FlateCompressed(const std::string& data);

// An image XObject of w x h pixels with the given further entries (colour space,
// bits, filter, mask...); its object number.
int AddImageObject(PdfWriter& pdf, int w, int h, const std::string& entries, const std::string& data);

// Rows of a 1-bit DeviceGray picture packed eight pixels a byte, each row padded to
// whole bytes; a set sample is white, so `black` marks the ink.
std::string BilevelRows(int w, int h, const std::function<bool(int x, int y)>& black);
// A 1-bit DeviceGray picture from BilevelRows, Flate-compressed as a scan is.
int AddBilevelImage(PdfWriter& pdf, const std::string& rows, int w, int h);

// A Flate-compressed 8-bit RGB picture; with a non-empty `mask` (w x h grey
// samples, 0 transparent to 255 opaque) it carries that as its /SMask.
int AddFlateRgbImage(PdfWriter& pdf, const std::string& rgb, int w, int h, const std::string& mask = {});

}  // namespace testpdf
