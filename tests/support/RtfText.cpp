#include "support/RtfText.h"

#include <cctype>

namespace testpdf {

std::string RtfPlainText(const std::string& rtf) {
    std::string out;
    for (size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
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
            out += rtf[++i];
            continue;
        }
        if (c != '{' && c != '}' && c != '\n') out += c;
    }
    return out;
}

}  // namespace testpdf
