// Page selection of the conversion record.
#include <cstdlib>
#include <string_view>
#include <vector>

#include "convert/CConvertPara.h"

namespace {

// Splits at `sep`; runs of separators produce no empty parts.
std::vector<std::string> SplitNonEmpty(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == sep) {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

int ToNumber(const std::string& s) { return std::atoi(s.c_str()); }

}  // namespace

CConvertPara::~CConvertPara() = default;

void CConvertPara::ParsePageList(const std::string& text) {
    pageList.fill(0);
    size_t filled = 0;
    for (const std::string& token : SplitNonEmpty(text, ',')) {
        if (filled >= pageList.size()) break;
        if (token.find('-') == std::string::npos) {
            pageList[filled++] = ToNumber(token);
            continue;
        }
        std::vector<std::string> ends = SplitNonEmpty(token, '-');
        // A token of dashes alone has no first part either; both ends read as 0.
        long a = ends.empty() ? 0 : ToNumber(ends[0]);
        long b = ends.size() > 1 ? ToNumber(ends[1]) : 0;
        for (long n = a; n <= b && filled < pageList.size(); ++n) pageList[filled++] = static_cast<int32_t>(n);
    }
}

bool CConvertPara::InPageList(int n) const {
    for (int32_t entry : pageList)
        if (entry == n) return true;
    return false;
}
