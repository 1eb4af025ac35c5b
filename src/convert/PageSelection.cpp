// Reading a page text into the pages it lists.
#include <cstdlib>
#include <string_view>
#include <vector>

#include "convert/PageSelection.h"

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

void PageSelection::SelectAll() {
    all_ = true;
    text_.clear();
    list_.fill(0);
}

void PageSelection::SelectListed(const std::string& text) {
    all_ = false;
    text_ = text;
    list_.fill(0);
    size_t filled = 0;
    for (const std::string& token : SplitNonEmpty(text, ',')) {
        if (filled >= list_.size()) break;
        if (token.find('-') == std::string::npos) {
            list_[filled++] = ToNumber(token);
            continue;
        }
        std::vector<std::string> ends = SplitNonEmpty(token, '-');
        // A token of dashes alone has no first part either; both ends read as 0.
        long a = ends.empty() ? 0 : ToNumber(ends[0]);
        long b = ends.size() > 1 ? ToNumber(ends[1]) : 0;
        for (long n = a; n <= b && filled < list_.size(); ++n) list_[filled++] = static_cast<int32_t>(n);
    }
}

bool PageSelection::Listed(int n) const {
    for (int32_t entry : list_)
        if (entry == n) return true;
    return false;
}

bool PageSelection::AnyOf(int pageCount) const {
    if (all_) return pageCount > 0;
    for (int32_t p : list_)
        if (p >= 1 && p <= pageCount) return true;
    return false;
}
