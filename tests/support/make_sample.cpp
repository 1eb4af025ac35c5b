// Writes the sample PDF that the README converts: two pages of prose in a few
// fonts, with a web link.
#include <cstdio>
#include <string>
#include <vector>

#include "support/PdfWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellumor-make-sample OUT.pdf\n");
        return 2;
    }
    using testpdf::TextLine;
    testpdf::PdfWriter w;
    w.SetInfo("Title", "Vellumor sample");
    w.SetInfo("Author", "The Vellumor developers");
    w.SetInfo("CreationDate", "D:20261209120000");

    const std::vector<std::string> prose = {
        "Vellumor turns PDF documents into documents you can edit in a word processor.",
        "It keeps the words, their fonts, sizes and colours, and the links of the source,",
        "and rebuilds lines and paragraphs from the positions of the text on each page.",
        "This sample was written by the project's own PDF writer, so every word is known.",
    };
    std::string page1 = TextLine("A sample document", 72, 720, 20, "F4");
    double y = 680;
    for (const auto& line : prose) {
        page1 += TextLine(line, 72, y, 11, "F2");
        y -= 14;
    }
    page1 += TextLine("Visit https://example.org/vellumor for more.", 72, y - 14, 11, "F1");
    testpdf::Page& p1 = w.AddPage(page1);
    p1.links.push_back({72, y - 18, 330, y - 2, "https://example.org/vellumor", 0, 0});

    std::string page2 = TextLine("Second page", 72, 720, 16, "F4");
    page2 += TextLine("Monospaced text stays monospaced: int main() { return 0; }", 72, 690, 10, "F3");
    page2 += TextLine("The end of the sample.", 72, 660, 11, "F2");
    w.AddPage(page2);
    return w.Save(argv[1]) ? 0 : 1;
}
