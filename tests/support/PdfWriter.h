#pragma once
// A small PDF writer for tests: every page gets exactly the content stream the
// test gives, so extraction can be checked against known drawing operations.
#include <map>
#include <string>
#include <vector>

namespace testpdf {

struct LinkAnnot {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // PDF user space
    std::string uri;                        // URI action when not empty
    int destPage = 0;                       // 1-based GoTo destination when uri is empty
    double destTop = 0;
    std::string action = {};  // raw action dictionary ("<< /S /Launch ... >>"); wins over uri and destPage
};

struct Page {
    std::string content;
    double width = 612, height = 792;
    int rotate = 0;
    std::vector<LinkAnnot> links;
    std::string extraResources;  // raw entries added to the page's /Resources
};

// Dictionary of one of the standard 14 fonts with the Windows ANSI encoding.
std::string StandardFont(const std::string& baseFont);

// A simple font without a built-in face: every code from 32 to 255 is `width`
// thousandths of an em wide, and the font box reaches `ascent` above and
// `descent` (negative) below the baseline, so tests can predict run boxes exactly.
std::string MetricFont(const std::string& baseFont, int ascent = 800, int descent = -200, int width = 500);

// Escapes text for a PDF literal string "( ... )".
std::string PdfString(const std::string& text);

// "BT /F1 size Tf x y Td (text) Tj ET" for one line of text.
std::string TextLine(const std::string& text, double x, double y, double size = 12,
                     const std::string& font = "F1");

class PdfWriter {
public:
    PdfWriter();

    Page& AddPage(const std::string& content, double width = 612, double height = 792);
    // Resource name (without slash) -> font dictionary text; F1..F4 exist from the start
    // (Helvetica, Times-Roman, Courier, Helvetica-Bold).
    void SetFont(const std::string& resourceName, const std::string& dictionary);
    // Info dictionary entry, e.g. SetInfo("Title", "A title"); the value is written as a literal string.
    void SetInfo(const std::string& key, const std::string& value);
    // Info entry with the value written as given (a PDF object: "(a\\rb)", "<FEFF0041>").
    void SetInfoRaw(const std::string& key, const std::string& pdfObject);
    // Raw entries added to the catalog dictionary ("/Dests << ... >>").
    void SetCatalogEntries(const std::string& entries) { catalogEntries_ = entries; }
    // A MetricFont under resourceName whose codes 'A', 'B', ... stand for the given
    // Unicode values (through a ToUnicode map), for text beyond the 8-bit encodings.
    void AddUnicodeFont(const std::string& resourceName, const std::vector<unsigned>& unicodes);
    // A composite font in vertical writing mode (Identity-V, not embedded, the face a
    // Debian font package installs) whose two-byte codes 1, 2, ... stand for the given
    // Unicode values; every character is one em high. Show its text with VerticalText.
    void AddVerticalFont(const std::string& resourceName, const std::vector<unsigned>& unicodes);
    // Adds a catalog /Outlines entry with a single top-level item.
    void SetOutline(bool on) { outline_ = on; }
    // Adds an indirect object and returns its number, for dictionaries that refer to it ("N 0 R").
    int AddObject(const std::string& body);
    int AddStream(const std::string& dictEntries, const std::string& data);
    // Image XObjects of w x h RGB pixels: JPEG data (DCTDecode), or raw 8-bit samples.
    int AddJpegImage(const std::string& jpeg, int w, int h);
    int AddRgbImage(const std::string& samples, int w, int h);

    std::vector<Page>& Pages() { return pages_; }
    // Object number that Build gives to page n (1-based), for destinations ("N 0 R").
    int PageObjectNumber(int n) const;
    std::string Build() const;
    bool Save(const std::string& path) const;

private:
    std::vector<Page> pages_;
    std::map<std::string, std::string> fonts_;
    std::vector<std::pair<std::string, std::string>> info_;
    std::vector<std::string> extras_;  // objects 3 .. 3 + n - 1
    bool outline_ = false;
    std::string catalogEntries_;
};

// The hexadecimal string of the codes 1 to count of a vertical font, "<00010002...>".
std::string VerticalCodes(int first, int count);

// Drawing an image XObject: "q a b c d e f cm /name Do Q".
std::string DrawImage(const std::string& name, double a, double b, double c, double d, double e, double f);
// A rectangle filled with an RGB colour (components 0 to 1).
std::string FilledRectangle(double x, double y, double w, double h, double r, double g, double b);
// "/XObject << /Name N 0 R ... >>" for Page::extraResources.
std::string XObjectResources(const std::vector<std::pair<std::string, int>>& images);

// A document of `pages` pages, each with the line "Page N of the test document".
PdfWriter NumberedPages(int pages);

// Encrypts with qpdf: AES-256 by default, or 128-bit RC4; false when qpdf fails.
enum class Cipher { Aes256, Rc4 };
bool Encrypt(const std::string& in, const std::string& out, const std::string& userPassword,
             const std::string& ownerPassword, Cipher cipher = Cipher::Aes256);

}  // namespace testpdf
