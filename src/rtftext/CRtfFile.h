#pragma once
// The RTF output file: header with the font and colour tables when opened,
// one piece per page, the closing brace when destroyed.
#include <cstdio>
#include <string>

#include "rtf/PageInRange.h"
#include "rtf/RtfUnits.h"

class CRtfDocument;
class CRtfPage;
class PageLayout;

class CRtfFile {
public:
    CRtfFile(CRtfDocument& document, const std::string& path);
    ~CRtfFile();
    CRtfFile(const CRtfFile&) = delete;
    CRtfFile& operator=(const CRtfFile&) = delete;

    bool Ok() const { return ok_; }
    bool WriteString(const std::string& text);
    // Writes the closing brace and closes the file; false when anything written
    // since the file was opened did not reach it (a full disk, a failed device).
    bool Finish();
    bool WritePage(PageLayout& layout, PageInRange range);

    std::string Header() const;
    std::string PageSetup(const CRtfPage& page) const;
    std::string PageBody(PageLayout& layout, PageInRange range);
    struct LooseText {
        std::string shapes;      // turned text shapes and boxes, at their places
        std::string paragraphs;  // the words no shape is made for
    };
    LooseText LooseItems(PageLayout& layout);

private:
    CRtfDocument& document_;
    std::FILE* file_ = nullptr;
    bool ok_ = false;
    bool opened_ = false;
    bool pageWritten_ = false;
    bool writeFailed_ = false;
};

// Information strings go into the header as RTF text, whatever bytes the PDF stored.
std::string EscapeRtfText(const std::string& text);
