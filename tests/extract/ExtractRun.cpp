#include "ExtractRun.h"

#include <PDFDoc.h>
#include <goo/GooString.h>

#include <memory>
#include <sstream>

#include "extract/HtmlOutputDev.h"
#include "platform/PdfCoreConfig.h"
#include "support/TempDir.h"

namespace extracttest {

std::string Extract(const testpdf::PdfWriter& pdf, const std::string& base) {
    testpdf::TempDir dir;
    pdf.Save(dir / "in.pdf");
    return ExtractFile(dir / "in.pdf", {}, base);
}

std::string ExtractWith(const testpdf::PdfWriter& pdf, IPageRecognition& recognition) {
    testpdf::TempDir dir;
    pdf.Save(dir / "in.pdf");
    return ExtractFile(dir / "in.pdf", {}, "report", &recognition);
}

std::string ExtractFile(const std::string& pdfPath, const std::string& password, const std::string& base,
                        IPageRecognition* recognition) {
    testpdf::TempDir dir;
    pdfcore::CreateGlobalParams();
    pdfcore::ApplyExtractionSettings();
    {
        std::optional<GooString> user;
        if (!password.empty()) user.emplace(password);
        PDFDoc doc(std::make_unique<GooString>(pdfPath), std::nullopt, user);
        HtmlOutputDev dev((dir / base).c_str(), "", "", "", "", true);
        dev.SetPageRecognition(recognition);
        if (dev.isOk() && doc.isOk() && doc.getNumPages() > 0)
            doc.displayPages(&dev, 1, doc.getNumPages(), 108, 108, 0, false, true, true);
    }
    pdfcore::DeleteGlobalParams();
    return testpdf::ReadFile(dir / (base + ".xml"));
}

std::vector<std::string> Lines(const std::string& xml) {
    std::vector<std::string> lines;
    std::istringstream in(xml);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Attr(const std::string& line, const std::string& name) {
    std::string key = " " + name + "=\"";
    size_t at = line.find(key);
    if (at == std::string::npos) return {};
    at += key.size();
    size_t end = line.find('"', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

int IntAttr(const std::string& line, const std::string& name) { return std::stoi(Attr(line, name)); }

std::vector<TextElement> Elements(const std::string& xml) {
    std::vector<TextElement> out;
    std::vector<std::string> lines = Lines(xml);
    int page = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("<page ", 0) == 0) page = IntAttr(lines[i], "pnumber");
        if (lines[i].rfind("<text ", 0) != 0 || i + 1 >= lines.size()) continue;
        TextElement e;
        e.page = page;
        e.textLine = lines[i];
        e.dataLine = lines[i + 1];
        e.top = IntAttr(e.textLine, "top");
        e.left = IntAttr(e.textLine, "left");
        e.width = IntAttr(e.textLine, "width");
        e.height = IntAttr(e.textLine, "height");
        e.font = IntAttr(e.textLine, "font");
        e.direction = IntAttr(e.textLine, "direction");
        size_t gt = e.dataLine.find('>');
        e.content = gt == std::string::npos ? std::string() : e.dataLine.substr(gt + 1);
        out.push_back(e);
    }
    return out;
}

std::vector<std::string> Contents(const std::string& xml) {
    std::vector<std::string> out;
    for (const auto& e : Elements(xml)) out.push_back(e.content);
    return out;
}

std::vector<std::string> PageLines(const std::string& xml, int page) {
    std::vector<std::string> out;
    bool in = false;
    for (const std::string& line : Lines(xml)) {
        if (line.rfind("<page ", 0) == 0) in = IntAttr(line, "pnumber") == page;
        if (in) out.push_back(line);
        if (in && line == "</page>") break;
    }
    return out;
}

std::string Show(const std::string& text, double x, double y, double size, const std::string& font) {
    return testpdf::TextLine(text, x, y, size, font);
}

}  // namespace extracttest
