#pragma once
// Reader of the intermediate XML. Line-oriented and keyword-driven: tags are
// recognised at the start of a line and attributes by the prefix of a token,
// exactly as the extraction writes them.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rtf/CRtfDocInfo.h"

class CRtfDocument;
class CRtfPage;
class CRtfXmlText;

// The attributes the reader knows, named by what they hold. Each element reads its
// own: a name that belongs to another element is ignored where it does not belong.
enum class XmlAttribute {
    None,
    // the root
    Version, Encoding, Author, Keywords, Date, Subject,
    // a page
    PageNumber, PagePosition, PageTop, PageLeft, PageHeight, PageWidth, PageRotation,
    // a fontspec
    FontId, FontSize, FontFamily, FontAlternate, FontColor, FontFace,
    // a margin
    MarginLeft, MarginTop, MarginBottom, MarginRight,
    // a text element
    Top, Left, Width, Height, Font, Direction, Toc, Angle,
    // a data line (one run)
    CharSpace, WordSpace, HScale, Style, Rise, Leading,
};

class CRtfXmlParse {
public:
    explicit CRtfXmlParse(const std::string& path);
    ~CRtfXmlParse();
    CRtfXmlParse(const CRtfXmlParse&) = delete;
    CRtfXmlParse& operator=(const CRtfXmlParse&) = delete;

    bool Opened() const { return opened_; }
    bool ReadFonts(CRtfDocument& document);
    void CopyInfo(CRtfDocument& document) const;
    std::string FileName() const;
    // Reads page n: its geometry and margins into the page, its text items, in the
    // order of the XML, into items. Pages come in ascending order.
    bool ReadPage(CRtfDocument& document, CRtfPage& page, int n, std::vector<std::unique_ptr<CRtfXmlText>>& items);

    // The attribute a token names (None when the reader knows no such name), and its
    // value without quotes and ">".
    static XmlAttribute FindAttribute(std::string_view token);
    static std::string AttributeValue(std::string_view token);
    // Leading integer of a value, as a C atol would read it, saturated to 32 bits.
    static long ValueNumber(const std::string& value);
    // Run text of a data line: entities decoded, braces escaped for RTF.
    static std::string DecodeText(std::string text);

private:
    bool ReadLine(std::string& line);
    void SeekBack();
    void Rewind();
    void ReadHeader();
    bool ReadFontLine(CRtfDocument& document, const std::string& line);
    // The item of a text element; none when it holds no words.
    std::unique_ptr<CRtfXmlText> ReadTextElement(CRtfDocument& document, const CRtfPage& page, const std::string& line);
    bool ReadDataLines(CRtfXmlText& item);

    std::FILE* file_ = nullptr;
    std::string path_;
    bool opened_ = false;
    long lineStart_ = 0;
    // The reading position, counted rather than asked of the stream: asking costs
    // a system call per line.
    long position_ = 0;
    char* lineBuffer_ = nullptr;
    size_t lineCapacity_ = 0;
    std::unique_ptr<CRtfDocInfo> info_;
};
