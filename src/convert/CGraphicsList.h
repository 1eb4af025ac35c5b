#pragma once
// The process-wide, ordered list of the current page's graphic entries. The
// list owns its entries; whoever takes an entry out (the RTF page) owns it then.
#include <memory>
#include <utility>
#include <vector>

#include "rtf/RecordedGraphics.h"

class CGraphicsList {
public:
    void Add(std::unique_ptr<GraphicEntry> entry) { entries_.push_back(std::move(entry)); }
    void Clear() { entries_.clear(); }
    size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    GraphicEntry* At(size_t i) const { return entries_[i].get(); }
    // Hands every entry over in order and leaves the list empty.
    std::vector<std::unique_ptr<GraphicEntry>> TakeAll() { return std::exchange(entries_, {}); }

    static CGraphicsList& Process();

private:
    std::vector<std::unique_ptr<GraphicEntry>> entries_;
};
