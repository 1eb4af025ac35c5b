#pragma once
// Runs the extraction device over a test PDF and picks the written XML apart.
#include <map>
#include <string>
#include <vector>

#include "support/PdfWriter.h"

class IPageRecognition;

namespace extracttest {

// The XML that the device writes for the document, rendered as the text pass does;
// base is the file name the device writes to (without ".xml").
std::string Extract(const testpdf::PdfWriter& pdf, const std::string& base = "report");
// The same with a recognition asked at the end of each page.
std::string ExtractWith(const testpdf::PdfWriter& pdf, IPageRecognition& recognition);
// The same for a PDF file on disk (password: the user password, may be empty).
std::string ExtractFile(const std::string& pdfPath, const std::string& password = {},
                        const std::string& base = "report", IPageRecognition* recognition = nullptr);

std::vector<std::string> Lines(const std::string& xml);
// The value of name="..." in a line; empty when absent.
std::string Attr(const std::string& line, const std::string& name);
int IntAttr(const std::string& line, const std::string& name);

struct TextElement {
    int top = 0, left = 0, width = 0, height = 0, font = 0, direction = 0;
    int page = 0;
    std::string textLine, dataLine;
    std::string content;  // after the data tag
};
std::vector<TextElement> Elements(const std::string& xml);
// Contents of all elements, in file order.
std::vector<std::string> Contents(const std::string& xml);
// The lines of one page, from its page line to "</page>".
std::vector<std::string> PageLines(const std::string& xml, int page);

// One line of text at (x, y) in points with a font resource and size.
std::string Show(const std::string& text, double x, double y, double size = 12, const std::string& font = "F1");

}  // namespace extracttest
