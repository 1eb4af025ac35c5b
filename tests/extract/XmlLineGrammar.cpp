#include "XmlLineGrammar.h"

#include <regex>
#include <sstream>
#include <vector>

namespace extracttest {

namespace {

const std::regex kRoot(R"re(<pdf2xml author="[^\r\n]*" keywords="[^\r\n]*" date="[^\r\n]*" subject="[^\r\n]*">)re");
const std::regex kPage(
    R"re(<page pnumber="(\d+)" pposition="absolute" ptop="108" pleft="108" pheight="\d+" pwidth="\d+" protation="(0|90|180|270)">)re");
const std::regex kFontspec(R"re(\t<fontspec id="(\d+)" size="-?\d+" family="[^\r\n]*" alternate="" color="#[0-9a-f]{6}"( face="((serif|sans|mono)(-condensed)?|condensed)")?>)re");
const std::regex kMargin(R"re(<margin mleft="\d{4,10}" mtop="\d{4,10}" mbottom="\d{4,10}" mright="\d{4,10}">)re");
const std::regex kText(
    R"re(<text top="-?\d+" left="-?\d+" width="-?\d+" height="-?\d+" font="(\d+)" direction="[1-4]" toc="0" Angle="0">)re");
const std::regex kDataTag(
    R"re(<data cSpace="[+-]\d{3,}\.\d\d" wSpace="[+-]\d{4,}\.\d\d" hScal="\d{3,}" style="[012]" cRise="[+-]\d{4,}\.\d\d" cLeading="[+-]\d{4,}\.\d\d">)re");

const std::string kStart = "<#dsAnchor#", kMiddle = "~dsAnchor#>", kEnd = "</~dsAnchor#>";

// Visible text: entities only, no raw markup characters.
std::string CheckEscaped(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '<' || c == '>' || c == '"') return std::string("raw '") + c + "' in text";
        if (c == '&') {
            bool ok = false;
            for (const char* entity : {"&amp;", "&quot;", "&lt;", "&gt;"})
                if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) ok = true;
            if (!ok) return "bare '&' in text";
        }
    }
    return {};
}

// The content of a data line: escaped text, or one link region at its start.
std::string CheckContent(const std::string& content) {
    if (content.rfind(kStart, 0) != 0) {
        if (content.find("dsAnchor#") != std::string::npos) return "link marker outside a region at the start";
        return CheckEscaped(content);
    }
    size_t middle = content.find(kMiddle, kStart.size());
    if (middle == std::string::npos) return "link region without middle marker";
    std::string target = content.substr(kStart.size(), middle - kStart.size());
    if (target.find("dsAnchor#") != std::string::npos) return "marker text inside a link target";
    size_t textStart = middle + kMiddle.size();
    size_t end = content.find(kEnd, textStart);
    if (end == std::string::npos) return "link region without end marker";
    std::string rest = content.substr(textStart, end - textStart) + content.substr(end + kEnd.size());
    if (rest.find("dsAnchor#") != std::string::npos) return "second link region";
    return CheckEscaped(rest);
}

}  // namespace

std::string CheckXmlGrammar(const std::string& xml) {
    if (xml.empty()) return "empty file";
    if (xml.back() != '\n') return "file does not end with a line feed";
    std::vector<std::string> lines;
    {
        std::istringstream in(xml);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    enum class At { Root, BetweenPages, Fonts, Texts } at = At::Root;
    int pageNumber = 0, fontCount = 0;
    bool margin = false;
    int texts = 0;
    auto fail = [](size_t i, const std::string& what) { return "line " + std::to_string(i + 1) + ": " + what; };

    if (lines.size() < 3) return "fewer than three lines";
    if (lines[0] != R"re(<?xml version="1.0" encoding="ISO-8859-1"?>)re") return fail(0, "bad declaration");
    if (!std::regex_match(lines[1], kRoot)) return fail(1, "bad root line");
    at = At::BetweenPages;
    std::smatch m;
    for (size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find('\r') != std::string::npos) return fail(i, "carriage return inside a line");
        if (at == At::BetweenPages) {
            if (line == "</pdf2xml>") {
                if (i + 1 != lines.size()) return fail(i, "lines after </pdf2xml>");
                return {};
            }
            if (!std::regex_match(line, m, kPage)) return fail(i, "expected a page line: " + line);
            if (std::stoi(m[1]) != ++pageNumber) return fail(i, "page out of order");
            at = At::Fonts;
            margin = false;
            texts = 0;
            continue;
        }
        if (line == "</page>") {
            if (margin && texts == 0) return fail(i, "margin line on a page without text");
            at = At::BetweenPages;
            continue;
        }
        if (at == At::Fonts && std::regex_match(line, m, kFontspec)) {
            if (std::stoi(m[1]) != fontCount++) return fail(i, "fontspec id out of order");
            continue;
        }
        if (std::regex_match(line, kMargin)) {
            if (margin) return fail(i, "second margin line");
            margin = true;
            at = At::Texts;
            continue;
        }
        if (std::regex_match(line, m, kText)) {
            if (!margin) return fail(i, "text before the margin line");
            if (std::stoi(m[1]) >= fontCount) return fail(i, "text refers to an unknown font");
            if (i + 2 >= lines.size()) return fail(i, "text element cut short");
            const std::string& data = lines[i + 1];
            if (!std::regex_search(data, m, kDataTag) || m.position(0) != 0) return fail(i + 1, "bad data line");
            std::string problem = CheckContent(data.substr(static_cast<size_t>(m.length(0))));
            if (!problem.empty()) return fail(i + 1, problem);
            if (lines[i + 2] != "</text>") return fail(i + 2, "expected </text>");
            ++texts;
            i += 2;
            continue;
        }
        return fail(i, "unrecognised line: " + line.substr(0, 80));
    }
    return "missing </pdf2xml>";
}

}  // namespace extracttest
