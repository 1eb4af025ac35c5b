// Line reading, tokens and values of the intermediate XML.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

#include "rtf/CRtfDocument.h"
#include "rtf/CRtfXmlParse.h"
#include "rtf/TextEdit.h"
#include "rtf/XmlParseTokens.h"

namespace {

struct AttributeName {
    std::string_view prefix;
    XmlAttribute attribute;
};

// Order matters: the first prefix a token begins with names it.
constexpr AttributeName kAttributes[] = {
    {"version=", XmlAttribute::Version},
    {"encoding=", XmlAttribute::Encoding},
    {"author=", XmlAttribute::Author},
    {"keywords=", XmlAttribute::Keywords},
    {"date=", XmlAttribute::Date},
    {"subject=", XmlAttribute::Subject},
    {"pnumber=", XmlAttribute::PageNumber},
    {"pposition=", XmlAttribute::PagePosition},
    {"ptop=", XmlAttribute::PageTop},
    {"pleft=", XmlAttribute::PageLeft},
    {"pheight=", XmlAttribute::PageHeight},
    {"pwidth=", XmlAttribute::PageWidth},
    {"protation=", XmlAttribute::PageRotation},
    {"id=", XmlAttribute::FontId},
    {"size=", XmlAttribute::FontSize},
    {"family=", XmlAttribute::FontFamily},
    {"alternate=", XmlAttribute::FontAlternate},
    {"color=", XmlAttribute::FontColor},
    {"face=", XmlAttribute::FontFace},
    {"mleft=", XmlAttribute::MarginLeft},
    {"mtop=", XmlAttribute::MarginTop},
    {"mbottom=", XmlAttribute::MarginBottom},
    {"mright=", XmlAttribute::MarginRight},
    {"top=", XmlAttribute::Top},
    {"left=", XmlAttribute::Left},
    {"width=", XmlAttribute::Width},
    {"height=", XmlAttribute::Height},
    {"font=", XmlAttribute::Font},
    {"direction=", XmlAttribute::Direction},
    {"toc=", XmlAttribute::Toc},
    {"Angle=", XmlAttribute::Angle},
    {"cSpace=", XmlAttribute::CharSpace},
    {"wSpace=", XmlAttribute::WordSpace},
    {"hScal=", XmlAttribute::HScale},
    {"style=", XmlAttribute::Style},
    {"cRise=", XmlAttribute::Rise},
    {"cLeading=", XmlAttribute::Leading},
};

}  // namespace

std::vector<std::string_view> SplitTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

bool StartsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

bool HasTagEnd(const std::string& line) { return line.size() > 1 && line.find('>', 1) != std::string::npos; }

CRtfXmlParse::CRtfXmlParse(const std::string& path) : path_(path) {
    file_ = std::fopen(path.c_str(), "r");
    opened_ = file_ != nullptr;
    if (opened_) ReadHeader();
}

CRtfXmlParse::~CRtfXmlParse() {
    if (file_) std::fclose(file_);
    std::free(lineBuffer_);
}

bool CRtfXmlParse::ReadLine(std::string& line) {
    lineStart_ = position_;
    ssize_t n = getline(&lineBuffer_, &lineCapacity_, file_);
    if (n < 0) return false;
    position_ += n;
    line.assign(lineBuffer_, static_cast<size_t>(n));
    // Files written on Windows end their lines with CR LF.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return true;
}

void CRtfXmlParse::SeekBack() {
    std::fseek(file_, lineStart_, SEEK_SET);
    position_ = lineStart_;
}

void CRtfXmlParse::Rewind() {
    std::fseek(file_, 0, SEEK_SET);
    position_ = 0;
}

XmlAttribute CRtfXmlParse::FindAttribute(std::string_view token) {
    if (token.empty()) return XmlAttribute::None;
    // Every data line asks this for each of its tokens: the first letter rules out
    // nearly all names before any comparison.
    for (const AttributeName& a : kAttributes)
        if (a.prefix.front() == token.front() && token.substr(0, a.prefix.size()) == a.prefix) return a.attribute;
    return XmlAttribute::None;
}

std::string CRtfXmlParse::AttributeValue(std::string_view token) {
    size_t eq = token.find('=');
    if (eq == std::string::npos) return {};
    std::string value;
    for (size_t i = eq + 1; i < token.size(); ++i)
        if (token[i] != '"' && token[i] != '>') value += token[i];
    return value;
}

long CRtfXmlParse::ValueNumber(const std::string& value) {
    errno = 0;
    long long v = std::strtoll(value.c_str(), nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<long>(v);
}

std::string CRtfXmlParse::DecodeText(std::string text) {
    // In sequence over the whole string: "&amp;lt;" ends as "<".
    ReplaceAll(text, "&amp;", "&");
    ReplaceAll(text, "&quot;", "\"");
    ReplaceAll(text, "quot;", "\"");
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "{", "\\{");
    ReplaceAll(text, "}", "\\}");
    return text;
}

std::string CRtfXmlParse::FileName() const {
    size_t slash = path_.find_last_of('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

void CRtfXmlParse::ReadHeader() {
    std::string line;
    while (ReadLine(line)) {
        if (StartsWith(line, "<page") || StartsWith(line, "</pdf2xml>")) {
            SeekBack();
            return;
        }
        if (StartsWith(line, "<pdf2xml") && line.find('>') != std::string::npos) {
            info_ = std::make_unique<CRtfDocInfo>();
            for (std::string_view token : SplitTokens(line)) {
                switch (FindAttribute(token)) {
                    case XmlAttribute::Author: info_->author = AttributeValue(token); break;
                    case XmlAttribute::Keywords: info_->keywords = AttributeValue(token); break;
                    case XmlAttribute::Date: info_->date = AttributeValue(token); break;
                    case XmlAttribute::Subject: info_->subject = AttributeValue(token); break;
                    default: break;
                }
            }
        }
    }
}

void CRtfXmlParse::CopyInfo(CRtfDocument& document) const {
    if (info_) document.info = *info_;
}
