#include "support/RtfText.h"

#include <cctype>

namespace testpdf {

std::string RtfPlainText(const std::string& rtf) {
    std::string out;
    for (size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
        if (c == '\\' && i + 1 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
            ++i;
            while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) ++i;
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
