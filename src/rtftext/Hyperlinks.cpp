#include "rtftext/Hyperlinks.h"

#include "rtf/CRtfPage.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfXmlText.h"
#include "extract/LinkMarkers.h"
#include "rtf/TextEdit.h"

namespace {


// A field instruction holds the target between double quotes: a quote inside
// it would end the instruction early.
std::string FieldTarget(const std::string& target) {
    std::string out;
    for (char c : target) {
        if (c == '"') out += "%22";
        else out += c;
    }
    return out;
}

// A link whose end lies beyond this string keeps its visible text; its start
// marker and target would only show up as garbage.
void DropOpenLinkStarts(std::string& s) {
    size_t p = 0;
    while ((p = s.find(kLinkStart, p)) != std::string::npos) {
        size_t m = s.find(kLinkMiddle, p + kLinkStart.size());
        if (m == std::string::npos) {
            s.erase(p, kLinkStart.size());
            continue;
        }
        s.erase(p, m + kLinkMiddle.size() - p);
    }
}

}  // namespace

std::string RewriteLinks(const std::string& s, const std::string& xmlFileName, bool plain) {
    if (s.empty()) return s;
    std::string result;
    size_t p = 0;
    bool complete = false;
    while (true) {
        size_t h = s.find(kLinkStart, p);
        if (h == std::string::npos) break;
        if (h + kLinkStart.size() > s.size()) break;
        size_t e = s.find(kLinkEnd, h + kLinkStart.size());
        if (e == std::string::npos) break;
        if (h > 0) result.append(s, p, h - p);
        size_t m = s.find(kLinkMiddle, h + kLinkStart.size());
        if (m != std::string::npos && m < e) {
            std::string text = s.substr(m + kLinkMiddle.size(), e - m - kLinkMiddle.size());
            if (plain) {
                result += text;
            } else {
                std::string target = s.substr(h + kLinkStart.size(), m - h - kLinkStart.size());
                RemoveAll(target, kLinkStart);
                RemoveAll(target, kLinkMiddle);
                if (!xmlFileName.empty() && target.rfind(xmlFileName, 0) == 0) target.erase(0, xmlFileName.size());
                if (target.empty())
                    result += text;
                else
                    result += "{\\field{\\*\\fldinst{HYPERLINK \"" + FieldTarget(target) + "\"}}{\\fldrslt {" + text + "}}}";
            }
        }
        p = e + kLinkEnd.size();
        complete = true;
    }
    if (!result.empty() || complete) result.append(s, p, std::string::npos);
    else result = s;
    DropOpenLinkStarts(result);
    RemoveAll(result, kLinkEnd);
    return result;
}

std::string StripLinks(const std::string& s) { return RewriteLinks(s, {}, true); }

std::string ApplyLinks(const CRtfXmlText& item, const std::string& rtf) {
    std::string fileName;
    if (item.page && item.page->document) fileName = item.page->document->xmlFileName;
    return RewriteLinks(rtf, fileName, false);
}
