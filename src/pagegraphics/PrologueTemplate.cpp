// Making and finding the prologue template of the cut-out picture pages.
#include "pagegraphics/PrologueTemplate.h"

#include <PDFDoc.h>
#include <PSOutputDev.h>
#include <Stream.h>

#include <memory>

#include "platform/Workspace.h"

namespace pagegraphics {
namespace {

// A one-page PDF with an empty content stream, so that the device writes its
// prolog and set-up and nothing of a document.
std::string EmptyPagePdf() {
    const char* objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << >> /Contents 4 0 R >>",
        "<< /Length 0 >>\nstream\n\nendstream",
    };
    std::string pdf = "%PDF-1.4\n";
    std::string xref = "xref\n0 5\n0000000000 65535 f \n";
    for (int i = 0; i < 4; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", pdf.size());
        xref += line;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    size_t start = pdf.size();
    return pdf + xref + "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(start) + "\n%%EOF\n";
}

void Collect(void* stream, const char* data, size_t length) { static_cast<std::string*>(stream)->append(data, length); }

// Definitions of this program, placed in the device's dictionary after its prolog.
const char* kOwnDefinitions =
    "% Vellumor: the colour operators of the recorded state texts, on top of the\n"
    "% device's colour-space operators so that image masks take the colour.\n"
    "/g { /DeviceGray {} cs 1 array astore sc } def\n"
    "/G { /DeviceGray {} CS 1 array astore SC } def\n"
    "/rg { /DeviceRGB {} cs 3 array astore sc } def\n"
    "/RG { /DeviceRGB {} CS 3 array astore SC } def\n"
    "/k { /DeviceCMYK {} cs 4 array astore sc } def\n"
    "/K { /DeviceCMYK {} CS 4 array astore SC } def\n"
    "% Vellumor: a cut-out page sets its paper with \"width height duplex pdfSetup\".\n"
    "/pdfSetupDuplex /pdfSetup load def\n"
    "/pdfSetup { pdfSetupDuplex pdfSetupPaper } def\n"
    "% Vellumor: the font the page trailer selects. It never shows a glyph, so\n"
    "% an empty font of its own spares the interpreter loading a real one.\n"
    "/F10_0 << /FontType 3 /FontMatrix [0.001 0 0 0.001 0 0] /FontBBox [0 0 0 0]\n"
    "  /Encoding StandardEncoding /BuildChar { pop pop 0 0 setcharwidth } >> definefont pop\n";

}  // namespace

std::string BuildPrologueTemplate(std::string& error) {
    std::string pdf = EmptyPagePdf();
    auto doc = std::make_unique<PDFDoc>(new MemStream(pdf.data(), 0, static_cast<Goffset>(pdf.size()), Object(objNull)));
    if (!doc->isOk()) {
        error = "the PDF core cannot read the empty page";
        return {};
    }
    std::string out;
    {
        char title[] = "starttext";
        PSOutputDev device(&Collect, &out, title, doc.get(), std::vector<int>{1}, psModePS, 612, 792, false, false);
        if (!device.isOk()) {
            error = "the PostScript device cannot start";
            return {};
        }
    }
    // Keep the prolog and the start of the set-up; the paper set-up lines of the
    // empty page give way to the tag, and the set-up ends with the page header.
    const std::string setupBegin = "%%BeginSetup\n";
    size_t setup = out.find(setupBegin);
    size_t setupEnd = out.find("%%EndSetup");
    if (setup == std::string::npos || setupEnd == std::string::npos || setupEnd < setup) {
        error = "the PostScript device wrote no document set-up";
        return {};
    }
    std::string result = out.substr(0, setup + setupBegin.size());
    std::string setupText = out.substr(setup + setupBegin.size(), setupEnd - setup - setupBegin.size());
    size_t lineStart = 0;
    bool dictionaryBegun = false;
    while (lineStart < setupText.size()) {
        size_t lineEnd = setupText.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = setupText.size();
        std::string line = setupText.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.find("pdfSetup") != std::string::npos) continue;  // pdfSetup and pdfSetupPaper
        result += line + "\n";
        if (!dictionaryBegun && line.find(" begin") != std::string::npos) {
            result += kOwnDefinitions;
            dictionaryBegun = true;
        }
    }
    if (!dictionaryBegun) {
        error = "the PostScript device's set-up opens no dictionary";
        return {};
    }
    result += std::string(kPageSizeTag) + "\n";
    return result;
}

std::string PrologueTemplatePath() { return platform::DataFile(kPrologueName); }

}  // namespace pagegraphics
