#include "support/PdfWriter.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/RunProgram.h"

namespace testpdf {

std::string StandardFont(const std::string& baseFont) {
    return "<< /Type /Font /Subtype /Type1 /BaseFont /" + baseFont + " /Encoding /WinAnsiEncoding >>";
}

std::string MetricFont(const std::string& baseFont, int ascent, int descent, int width) {
    std::ostringstream s;
    s << "<< /Type /Font /Subtype /Type1 /BaseFont /" << baseFont
      << " /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [";
    for (int c = 32; c <= 255; ++c) s << width << ' ';
    s << "] /FontDescriptor << /Type /FontDescriptor /FontName /" << baseFont
      << " /Flags 32 /FontBBox [0 " << descent << " 1000 " << ascent << "] /ItalicAngle 0 /Ascent " << ascent
      << " /Descent " << descent << " /CapHeight " << ascent << " /StemV 80 >> >>";
    return s.str();
}

std::string PdfString(const std::string& text) {
    std::string out = "(";
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += c;
    }
    return out + ")";
}

std::string TextLine(const std::string& text, double x, double y, double size, const std::string& font) {
    std::ostringstream s;
    s << "BT /" << font << " " << size << " Tf " << x << " " << y << " Td " << PdfString(text) << " Tj ET\n";
    return s.str();
}

PdfWriter::PdfWriter() {
    fonts_["F1"] = StandardFont("Helvetica");
    fonts_["F2"] = StandardFont("Times-Roman");
    fonts_["F3"] = StandardFont("Courier");
    fonts_["F4"] = StandardFont("Helvetica-Bold");
}

Page& PdfWriter::AddPage(const std::string& content, double width, double height) {
    Page p;
    p.content = content;
    p.width = width;
    p.height = height;
    pages_.push_back(p);
    return pages_.back();
}

void PdfWriter::SetFont(const std::string& name, const std::string& dict) { fonts_[name] = dict; }

void PdfWriter::SetInfo(const std::string& key, const std::string& value) {
    info_.emplace_back(key, PdfString(value));
}

void PdfWriter::SetInfoRaw(const std::string& key, const std::string& pdfObject) { info_.emplace_back(key, pdfObject); }

namespace {

// A ToUnicode map of single code-to-text entries ("<41> <05D0>").
std::string ToUnicodeCMap(const std::string& name, const std::string& codespace,
                          const std::vector<std::string>& entries) {
    std::ostringstream cmap;
    cmap << "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
            "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
            "/CMapName /" << name << " def /CMapType 2 def\n"
         << "1 begincodespacerange " << codespace << " endcodespacerange\n"
         << entries.size() << " beginbfchar\n";
    for (const std::string& e : entries) cmap << e << "\n";
    cmap << "endbfchar\nendcmap CMapName currentdict /CMap defineresource pop end end";
    return cmap.str();
}

}  // namespace

void PdfWriter::AddUnicodeFont(const std::string& resourceName, const std::vector<unsigned>& unicodes) {
    std::vector<std::string> entries;
    char line[64];
    for (size_t i = 0; i < unicodes.size(); ++i) {
        unsigned u = unicodes[i];
        if (u > 0xffff) {
            unsigned v = u - 0x10000;
            std::snprintf(line, sizeof line, "<%02X> <%04X%04X>", static_cast<unsigned>('A' + i),
                          0xd800 + (v >> 10), 0xdc00 + (v & 0x3ff));
        } else {
            std::snprintf(line, sizeof line, "<%02X> <%04X>", static_cast<unsigned>('A' + i), u);
        }
        entries.push_back(line);
    }
    int stream = AddStream("", ToUnicodeCMap("Test-UCS", "<00> <FF>", entries));
    std::string font = MetricFont("TestUnicode");
    font.insert(font.size() - 2, "/ToUnicode " + std::to_string(stream) + " 0 R ");
    SetFont(resourceName, font);
}

void PdfWriter::AddVerticalFont(const std::string& resourceName, const std::vector<unsigned>& unicodes) {
    std::vector<std::string> entries;
    char line[64];
    for (size_t i = 0; i < unicodes.size(); ++i) {
        std::snprintf(line, sizeof line, "<%04X> <%04X>", static_cast<unsigned>(i + 1), unicodes[i]);
        entries.push_back(line);
    }
    int toUnicode = AddStream("", ToUnicodeCMap("Test-Vertical-UCS", "<0000> <FFFF>", entries));
    int descriptor = AddObject(
        "<< /Type /FontDescriptor /FontName /DroidSansFallback /Flags 4 /FontBBox [0 -141 1000 859] "
        "/ItalicAngle 0 /Ascent 859 /Descent -141 /CapHeight 700 /StemV 80 >>");
    int cidFont = AddObject(
        "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /DroidSansFallback /CIDSystemInfo << /Registry (Adobe) "
        "/Ordering (Identity) /Supplement 0 >> /FontDescriptor " + std::to_string(descriptor) +
        " 0 R /DW 1000 /CIDToGIDMap /Identity >>");
    SetFont(resourceName, "<< /Type /Font /Subtype /Type0 /BaseFont /DroidSansFallback /Encoding /Identity-V "
                          "/DescendantFonts [" + std::to_string(cidFont) + " 0 R] /ToUnicode " +
                              std::to_string(toUnicode) + " 0 R >>");
}

std::string VerticalCodes(int first, int count) {
    std::string codes = "<";
    char code[8];
    for (int i = 0; i < count; ++i) {
        std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(first + i));
        codes += code;
    }
    return codes + ">";
}

int PdfWriter::AddObject(const std::string& body) {
    extras_.push_back(body);
    return 2 + static_cast<int>(extras_.size());
}

int PdfWriter::AddStream(const std::string& dictEntries, const std::string& data) {
    return AddObject("<< " + dictEntries + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
                     "\nendstream");
}

int PdfWriter::AddJpegImage(const std::string& jpeg, int w, int h) {
    return AddStream("/Type /XObject /Subtype /Image /Width " + std::to_string(w) + " /Height " + std::to_string(h) +
                         " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode",
                     jpeg);
}

int PdfWriter::AddRgbImage(const std::string& samples, int w, int h) {
    return AddStream("/Type /XObject /Subtype /Image /Width " + std::to_string(w) + " /Height " + std::to_string(h) +
                         " /ColorSpace /DeviceRGB /BitsPerComponent 8",
                     samples);
}

std::string DrawImage(const std::string& name, double a, double b, double c, double d, double e, double f) {
    std::ostringstream s;
    s << "q " << a << " " << b << " " << c << " " << d << " " << e << " " << f << " cm /" << name << " Do Q\n";
    return s.str();
}

std::string FilledRectangle(double x, double y, double w, double h, double r, double g, double b) {
    std::ostringstream s;
    s << "q " << r << " " << g << " " << b << " rg " << x << " " << y << " " << w << " " << h << " re f Q\n";
    return s.str();
}

std::string XObjectResources(const std::vector<std::pair<std::string, int>>& images) {
    std::string s = "/XObject <<";
    for (const auto& [name, object] : images) s += " /" + name + " " + std::to_string(object) + " 0 R";
    return s + " >>";
}

int PdfWriter::PageObjectNumber(int n) const {
    int num = 3 + static_cast<int>(extras_.size()) + (info_.empty() ? 0 : 1) + static_cast<int>(fonts_.size()) +
              (outline_ ? 2 : 0);
    for (int i = 0; i + 1 < n && i < static_cast<int>(pages_.size()); ++i)
        num += 2 + static_cast<int>(pages_[static_cast<size_t>(i)].links.size());
    return num;
}

std::string PdfWriter::Build() const {
    // Numbering: 1 catalog, 2 page tree, extras, info, fonts, outline, then per page:
    // page, contents, annotations.
    std::vector<std::string> objs(3);
    for (const auto& e : extras_) objs.push_back(e);
    auto next = [&]() { return static_cast<int>(objs.size()); };

    int infoNum = 0;
    if (!info_.empty()) {
        std::string d = "<<";
        for (const auto& [k, v] : info_) d += " /" + k + " " + v;
        infoNum = next();
        objs.push_back(d + " >>");
    }
    std::string fontRes = "<<";
    for (const auto& [name, dict] : fonts_) {
        fontRes += " /" + name + " " + std::to_string(next()) + " 0 R";
        objs.push_back(dict);
    }
    fontRes += " >>";

    int firstPageNum = next() + (outline_ ? 2 : 0);
    std::vector<int> pageNums;
    int n = firstPageNum;
    for (const auto& p : pages_) {
        pageNums.push_back(n);
        n += 2 + static_cast<int>(p.links.size());
    }
    int outlineNum = 0;
    if (outline_) {
        outlineNum = next();
        objs.push_back("<< /Type /Outlines /First " + std::to_string(outlineNum + 1) + " 0 R /Last " +
                       std::to_string(outlineNum + 1) + " 0 R /Count 1 >>");
        std::string dest = pageNums.empty() ? "" : " /Dest [" + std::to_string(pageNums[0]) + " 0 R /Fit]";
        objs.push_back("<< /Title (Start) /Parent " + std::to_string(outlineNum) + " 0 R" + dest + " >>");
    }
    std::string kids;
    for (size_t i = 0; i < pages_.size(); ++i) {
        const Page& p = pages_[i];
        int pageNum = next();
        std::ostringstream d;
        d << "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " << p.width << " " << p.height << "]";
        if (p.rotate) d << " /Rotate " << p.rotate;
        d << " /Resources << /Font " << fontRes << " " << p.extraResources << " >> /Contents " << pageNum + 1
          << " 0 R";
        if (!p.links.empty()) {
            d << " /Annots [";
            for (size_t k = 0; k < p.links.size(); ++k) d << pageNum + 2 + static_cast<int>(k) << " 0 R ";
            d << "]";
        }
        d << " >>";
        objs.push_back(d.str());
        objs.push_back("<< /Length " + std::to_string(p.content.size()) + " >>\nstream\n" + p.content +
                       "\nendstream");
        for (const auto& l : p.links) {
            std::ostringstream a;
            a << "<< /Type /Annot /Subtype /Link /Rect [" << l.x0 << " " << l.y0 << " " << l.x1 << " " << l.y1
              << "] /Border [0 0 0]";
            if (!l.action.empty())
                a << " /A " << l.action;
            else if (!l.uri.empty())
                a << " /A << /S /URI /URI " << PdfString(l.uri) << " >>";
            else if (l.destPage >= 1 && l.destPage <= static_cast<int>(pageNums.size()))
                a << " /Dest [" << pageNums[l.destPage - 1] << " 0 R /XYZ 0 " << l.destTop << " 0]";
            a << " >>";
            objs.push_back(a.str());
        }
        kids += std::to_string(pageNum) + " 0 R ";
    }
    objs[1] = "<< /Type /Catalog /Pages 2 0 R" +
              (outline_ ? " /Outlines " + std::to_string(outlineNum) + " 0 R" : std::string()) + " " +
              catalogEntries_ + " >>";
    objs[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) + " >>";

    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets(objs.size(), 0);
    for (size_t i = 1; i < objs.size(); ++i) {
        offsets[i] = out.size();
        out += std::to_string(i) + " 0 obj\n" + objs[i] + "\nendobj\n";
    }
    size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objs.size()) + "\n0000000000 65535 f \n";
    for (size_t i = 1; i < objs.size(); ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offsets[i]);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(objs.size()) + " /Root 1 0 R";
    if (infoNum) out += " /Info " + std::to_string(infoNum) + " 0 R";
    out += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

bool PdfWriter::Save(const std::string& path) const {
    std::ofstream f(path, std::ios::binary);
    f << Build();
    return static_cast<bool>(f);
}

PdfWriter NumberedPages(int pages) {
    PdfWriter w;
    for (int i = 1; i <= pages; ++i)
        w.AddPage(TextLine("Page " + std::to_string(i) + " of the test document", 72, 720));
    return w;
}

bool Encrypt(const std::string& in, const std::string& out, const std::string& userPassword,
             const std::string& ownerPassword, Cipher cipher) {
    std::vector<std::string> argv{"qpdf"};
    if (cipher == Cipher::Rc4) argv.push_back("--allow-weak-crypto");  // qpdf refuses RC4 without it
    argv.insert(argv.end(), {"--encrypt", userPassword, ownerPassword});
    if (cipher == Cipher::Aes256) argv.push_back("256");
    else argv.insert(argv.end(), {"128", "--use-aes=n"});
    argv.insert(argv.end(), {"--", in, out});
    return RunProgram(argv).status == 0;
}

}  // namespace testpdf
