#pragma once
// Which pages a job converts: every page, or the pages of a text such as "1,3,7,10-15".
#include <array>
#include <cstdint>
#include <string>

constexpr int kPageListSize = 100;

class PageSelection {
public:
    void SelectAll();
    // The pages a text such as "1,3,7,10-15" lists; an empty text lists none.
    void SelectListed(const std::string& text);
    // An empty text selects every page, any other the pages it lists.
    void Select(const std::string& text) { text.empty() ? SelectAll() : SelectListed(text); }

    bool All() const { return all_; }
    // The page text as the user wrote it; empty when every page is selected.
    const std::string& Text() const { return text_; }
    // True when page n is listed (at most kPageListSize pages are, in the order written).
    bool Listed(int n) const;
    bool Selected(int n) const { return all_ || Listed(n); }
    // True when the selection takes at least one page of a document of pageCount pages.
    bool AnyOf(int pageCount) const;

    const std::array<int32_t, kPageListSize>& List() const { return list_; }

private:
    bool all_ = true;
    std::string text_;
    std::array<int32_t, kPageListSize> list_{};
};
