#include "support/RtfChecks.h"

#include "support/RtfText.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unordered_set>

namespace rtfcheck {
namespace {

using testpdf::AppendUtf8;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Skips the group that opens at position i (a "{"); returns the position after its "}".
size_t SkipGroup(const std::string& s, size_t i) {
    int depth = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '\\') {
            ++i;
            continue;
        }
        if (s[i] == '{') ++depth;
        if (s[i] == '}' && --depth == 0) return i + 1;
    }
    return s.size();
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> words;
    std::string w;
    for (char c : text) {
        if (IsBlank(c)) {
            if (!w.empty()) words.push_back(w);
            w.clear();
        } else {
            w += c;
        }
    }
    if (!w.empty()) words.push_back(w);
    return words;
}

}  // namespace

std::string VisibleText(const std::string& rtf) {
    std::string out;
    unsigned long highSurrogate = 0;
    for (size_t i = 0; i < rtf.size();) {
        char c = rtf[i];
        if (c == '{') {
            // Shape properties ("{\\sp{\\sn ...}{\\sv ...}}", picture data among them) are no text.
            for (const char* skipped : {"{\\fonttbl", "{\\colortbl", "{\\info", "{\\*\\fldinst", "{\\sp{"})
                if (rtf.compare(i, std::char_traits<char>::length(skipped), skipped) == 0) {
                    i = SkipGroup(rtf, i);
                    goto next;
                }
            ++i;
            continue;
        }
        if (c == '}' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c == '\\' && i + 1 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
            size_t j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
            std::string word = rtf.substr(i + 1, j - i - 1);
            size_t digits = j;
            if (j < rtf.size() && rtf[j] == '-') ++j;
            while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) ++j;
            std::string number = rtf.substr(digits, j - digits);
            if (j < rtf.size() && rtf[j] == ' ') ++j;
            if (word == "par" || word == "cell" || word == "column" || word == "row" || word == "sect") out += ' ';
            if (word == "u" && !number.empty()) {
                long v = std::strtol(number.c_str(), nullptr, 10);
                unsigned long cp = static_cast<unsigned long>(v < 0 ? v + 65536 : v);
                if (cp >= 0xD800 && cp < 0xDC00) {
                    highSurrogate = cp;
                } else if (cp >= 0xDC00 && cp < 0xE000 && highSurrogate) {
                    AppendUtf8(out, 0x10000 + ((highSurrogate - 0xD800) << 10) + (cp - 0xDC00));
                    highSurrogate = 0;
                } else {
                    AppendUtf8(out, cp);
                }
                if (j < rtf.size() && rtf[j] != '\\' && rtf[j] != '{' && rtf[j] != '}') ++j;  // the \uc1 replacement
            }
            i = j;
            continue;
        }
        if (c == '\\' && i + 1 < rtf.size()) {
            if (rtf[i + 1] == '*') {  // the mark of a destination, no text
                i += 2;
                continue;
            }
            AppendUtf8(out, static_cast<unsigned char>(rtf[i + 1]));
            i += 2;
            continue;
        }
        AppendUtf8(out, static_cast<unsigned char>(c));
        ++i;
    next:;
    }
    return out;
}

// placedOnly leaves out the text that the layout does not place.
std::vector<std::vector<std::string>> XmlPageWords(const std::string& xml, bool placedOnly) {
    std::vector<std::vector<std::string>> pages;
    auto number = [&](size_t tag, const char* name) {
        size_t a = xml.find(name, tag);
        return a == std::string::npos ? 0L : std::strtol(xml.c_str() + a + std::strlen(name), nullptr, 10);
    };
    long pageWidth = 0, pageHeight = 0, pageRotation = 0;
    size_t nextPage = xml.find("\n<page ");
    size_t p = 0;
    while ((p = xml.find("\n<data", p)) != std::string::npos) {
        while (nextPage != std::string::npos && nextPage < p) {
            pages.emplace_back();
            pageWidth = number(nextPage, " pwidth=\"");
            pageHeight = number(nextPage, " pheight=\"");
            pageRotation = number(nextPage, " protation=\"");
            nextPage = xml.find("\n<page ", nextPage + 1);
        }
        size_t textTag = xml.rfind("\n<text ", p);
        long top = number(textTag, " top=\""), left = number(textTag, " left=\"");
        size_t close = xml.find('>', p);
        size_t end = xml.find('\n', close);
        std::string raw = xml.substr(close + 1, end - close - 1);
        p = end;
        // Text wholly off its page is not shown by the PDF and not written by the layout.
        if (placedOnly) {
            if (top < 0 || left < 0 || top >= pageHeight || left >= pageWidth) continue;
            // Pieces narrower than two units (glyphs without an advance) are not placed on upright pages.
            if (pageRotation == 0 && number(textTag, " width=\"") < 2) continue;
        }
        // Link markers: the start marker with its target, and the end marker.
        for (size_t s; (s = raw.find("<#dsAnchor#")) != std::string::npos;) {
            size_t m = raw.find("~dsAnchor#>", s);
            raw.erase(s, m == std::string::npos ? 11 : m + 11 - s);
        }
        for (size_t s; (s = raw.find("</~dsAnchor#>")) != std::string::npos;) raw.erase(s, 13);
        std::string text;
        for (size_t i = 0; i < raw.size();) {
            if (raw[i] == '&') {
                size_t semi = raw.find(';', i);
                std::string entity = semi == std::string::npos ? "" : raw.substr(i + 1, semi - i - 1);
                static const std::map<std::string, char> named = {
                    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
                if (auto it = named.find(entity); it != named.end()) {
                    text += it->second;
                    i = semi + 1;
                    continue;
                }
            }
            if (raw.compare(i, 6, "\\uc1\\u") == 0) {
                size_t j = i + 6;
                while (j < raw.size() && std::isdigit(static_cast<unsigned char>(raw[j]))) ++j;
                if (j > i + 6 && j < raw.size() && raw[j] == 'X') {
                    AppendUtf8(text, std::strtoul(raw.substr(i + 6, j - i - 6).c_str(), nullptr, 10));
                    i = j + 1;
                    continue;
                }
            }
            AppendUtf8(text, static_cast<unsigned char>(raw[i]));
            ++i;
        }
        for (std::string& w : Split(text)) pages.back().push_back(std::move(w));
    }
    return pages;
}

std::vector<std::string> XmlWords(const std::string& xml) {
    std::vector<std::string> words;
    for (auto& page : XmlPageWords(xml, false)) words.insert(words.end(), page.begin(), page.end());
    return words;
}

std::vector<std::string> MissingWords(const std::string& xml, const std::string& rtf) {
    // The RTF's pages, split at its page breaks: the page of each XML word.
    std::vector<std::string> rtfPages;
    for (size_t p = 0;;) {
        size_t b = rtf.find("\\sbkpage", p);
        rtfPages.push_back(rtf.substr(p, b == std::string::npos ? std::string::npos : b - p));
        if (b == std::string::npos) break;
        p = b + 1;
    }
    std::vector<std::vector<std::string>> xmlPages = XmlPageWords(xml, true);
    std::vector<std::string> missing;
    for (size_t n = 0; n < xmlPages.size(); ++n) {
        // Every piece of every RTF word, so that a word glued to its neighbour still counts as there.
        std::unordered_set<std::string> pieces;
        std::string whole;
        for (const std::string& w : Split(VisibleText(n < rtfPages.size() ? rtfPages[n] : std::string()))) {
            if (w.size() > 48) {
                whole += w + ' ';
                continue;
            }
            for (size_t b = 0; b < w.size(); ++b)
                for (size_t e = b + 1; e <= w.size(); ++e) pieces.insert(w.substr(b, e - b));
        }
        std::unordered_set<std::string> checked;
        for (const std::string& w : xmlPages[n]) {
            if (!checked.insert(w).second) continue;
            if (!pieces.count(w) && whole.find(w) == std::string::npos)
                missing.push_back(w + " (page " + std::to_string(n + 1) + ")");
        }
    }
    return missing;
}

std::string DuplicatedCharacters(const std::string& xml, const std::string& rtf) {
    std::map<char, long> count;
    for (const std::string& w : XmlWords(xml))
        for (char c : w) ++count[c];
    for (char c : VisibleText(rtf))
        if (!IsBlank(c)) --count[c];
    std::string duplicated;
    for (auto [c, n] : count)
        if (n < 0) duplicated += c;
    return duplicated;
}

std::string GeometryFault(const std::string& rtf) {
    if (rtf.find("\\sl--") != std::string::npos) return "\\sl--";
    static const std::unordered_set<std::string> geometry = {
        "sl",     "li",     "ri",     "colw",   "colsr",  "cols",   "colno",    "cellx",    "clwWidth", "trleft",
        "paperw", "paperh", "margl",  "margr",  "margt",  "margb",  "pgwsxn",   "pghsxn",   "marglsxn", "margrsxn",
        "margtsxn", "margbsxn"};
    long width = 0, left = 0, right = 0;
    long columnSum = -1;
    std::vector<long> edges;
    for (size_t i = rtf.find('\\'); i != std::string::npos; i = rtf.find('\\', i + 1)) {
        size_t j = i + 1;
        if (j < rtf.size() && rtf[j] == '\\') {
            i = j;  // an escaped backslash
            continue;
        }
        while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
        std::string name = rtf.substr(i + 1, j - i - 1);
        if (!geometry.count(name)) continue;
        size_t start = j;
        if (j < rtf.size() && rtf[j] == '-') ++j;
        while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) ++j;
        std::string digits = rtf.substr(start, j - start);
        if (digits.empty() || digits == "-") continue;
        long v = std::strtol(digits.c_str(), nullptr, 10);
        bool negative = digits[0] == '-';
        // Line spacing is exact (negative) for lines kept at their place, at least
        // (positive) for paragraphs that re-flow; never none.
        if (name == "sl") {
            if (v == 0) return "\\sl" + digits;
            continue;
        }
        if (negative && !(name == "colsr" && v == 0)) return "\\" + name + digits;
        if (v > 1000000) return "\\" + name + digits + " (wrapped around)";
        if (name == "paperw" || name == "pgwsxn") width = v;
        if (name == "margl" || name == "marglsxn") left = v;
        if (name == "margr" || name == "margrsxn") right = v;
        if (name == "cols") columnSum = 0;
        if (name == "colw" && columnSum >= 0) {
            columnSum += v;
            // Each width is truncated on its own: allow the few twips that the margins lost.
            if (columnSum > width - left - right + 3)
                return "columns of " + std::to_string(columnSum) + " twips in a text width of " +
                       std::to_string(width - left - right);
        }
        if (name == "cellx") {
            if (!edges.empty() && v <= edges.back()) return "cell edges not increasing at \\cellx" + digits;
            edges.push_back(v);
        }
        if (name == "trleft") edges.clear();
    }
    return {};
}

}  // namespace rtfcheck
