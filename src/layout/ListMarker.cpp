#include "layout/ListMarker.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "rtf/TextRun.h"

std::string ItemText(const CRtfXmlText* item) {
    const std::string text = RunText(item->runs);
    size_t a = text.find_first_not_of(' '), b = text.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

bool ListMarker(const std::string& text) {
    if (text == "-" || text == "*" || text == "o" || text == "\xB7" || text == "\x95") return true;
    // Bullets, dashes and squares beyond the 8-bit range travel as escapes: "\uc1\u8226X".
    for (const char* code : {"\\u8226X", "\\u8211X", "\\u8212X", "\\u9679X", "\\u9632X", "\\u9642X", "\\u9702X",
                             "\\u8259X", "\\u10003X", "\\u10004X", "\\u9658X", "\\u61623X", "\\u61607X", "\\u-3913X"})
        if (text.size() <= 20 && text.find(code) != std::string::npos) return true;
    std::string core = text;
    if (core.size() >= 3 && core.front() == '(' && core.back() == ')') core = core.substr(1, core.size() - 2) + ")";
    if (core.size() < 2 || core.size() > 5) return false;
    const char last = core.back();
    if (last != '.' && last != ')') return false;
    // A number, a letter, or a roman numeral: "page." ends a sentence, it numbers nothing.
    const std::string mark = core.substr(0, core.size() - 1);
    if (std::all_of(mark.begin(), mark.end(), [](unsigned char c) { return std::isdigit(c); })) return true;
    if (mark.size() == 1) return std::isalpha(static_cast<unsigned char>(mark[0])) != 0;
    return std::all_of(mark.begin(), mark.end(), [](char c) { return std::string_view("ivxlIVXL").find(c) != std::string_view::npos; });
}
