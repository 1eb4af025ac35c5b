#include "support/RtfText.h"

#include <cctype>
#include <regex>

namespace testpdf {

std::string RtfPlainText(const std::string& rtf) {
    std::string out;
    for (size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
        // A shape's properties ({\sp{\sn name}{\sv value}}) are no text; the text of
        // a text box is.
        if (c == '{' && rtf.compare(i, 4, "{\\sp") == 0 && i + 4 < rtf.size() &&
            !std::isalpha(static_cast<unsigned char>(rtf[i + 4]))) {
            int depth = 0;
            for (; i < rtf.size(); ++i) {
                if (rtf[i] == '\\') {
                    ++i;
                    continue;
                }
                if (rtf[i] == '{') ++depth;
                if (rtf[i] == '}' && --depth == 0) break;
            }
            continue;
        }
        if (c == '\\' && i + 1 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
            size_t word = ++i;
            while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) ++i;
            // A paragraph end separates words as a blank does (frames hold a word each).
            if (rtf.compare(word, i - word, "par") == 0 && (out.empty() || out.back() != ' ')) out += ' ';
            while (i < rtf.size() && (rtf[i] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i])))) ++i;
            if (i < rtf.size() && rtf[i] != ' ') --i;
            continue;
        }
        if (c == '\\' && i + 1 < rtf.size()) {
            // "\*" marks a destination a reader may skip, "\-" a place a word may break: no characters.
            if (rtf[++i] != '*' && rtf[i] != '-') out += rtf[i];
            continue;
        }
        if (c != '{' && c != '}' && c != '\n') out += c;
    }
    return out;
}

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

size_t CountOccurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

std::vector<long> ControlWordValues(const std::string& rtf, const std::string& word) {
    std::vector<long> out;
    const std::regex re("\\\\" + word + "(-?[0-9]+)");
    for (auto it = std::sregex_iterator(rtf.begin(), rtf.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back(std::stol((*it)[1]));
    return out;
}

std::vector<std::string> RtfParagraphs(const std::string& rtf) {
    std::vector<std::string> paragraphs;
    static const std::regex end(R"(\\par(?![a-z]))");
    // The header's tables are no paragraphs.
    size_t from = std::min(rtf.find("\\pard"), rtf.size());
    auto add = [&](size_t to) {
        std::string text;
        for (char c : RtfPlainText(rtf.substr(from, to - from)))
            if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;
        while (!text.empty() && text.back() == ' ') text.pop_back();
        if (!text.empty()) paragraphs.push_back(text);
    };
    const size_t origin = from;
    for (auto it = std::sregex_iterator(rtf.begin() + static_cast<std::ptrdiff_t>(origin), rtf.end(), end);
         it != std::sregex_iterator(); ++it) {
        const size_t at = origin + static_cast<size_t>(it->position());
        add(at);
        from = at + 4;
    }
    return paragraphs;
}

}  // namespace testpdf
