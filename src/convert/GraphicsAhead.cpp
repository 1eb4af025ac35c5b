#include "convert/GraphicsAhead.h"

#include <PDFDoc.h>

#include <algorithm>

#include "convert/ConversionJob.h"
#include "rtf/RecordedGraphics.h"

namespace {

// Recorded but not yet written: a few pages, or some 100 MB of shapes (a
// recorded shape holds its PostScript text and room for its RTF).
constexpr size_t kMostPagesAhead = 64;
constexpr size_t kMostEntriesAhead = 50000;
constexpr size_t kBytesPerEntry = 2000;

// A picture made in memory holds its bytes: it weighs as many shapes as the
// text they become is long.
size_t Weight(const GraphicsList& graphics) {
    size_t weight = graphics.size();
    for (const auto& entry : graphics)
        if (entry && entry->Kind() == GraphicEntry::KindPicture)
            if (const auto& data = static_cast<const Picture&>(*entry).data) weight += 2 * data->size() / kBytesPerEntry;
    return weight;
}
// Drawings of two pages at once: one processor renders while the other records
// or writes, and both render when the figures come in a run of pages.
constexpr unsigned kDrawers = 2;

}  // namespace

GraphicsAhead::GraphicsAhead(ConversionJob& job) : job_(job) {
    recorder_ = std::thread([this] { Record(); });
    const unsigned drawers = job_.RendersDrawingsLater() ? kDrawers : 1;
    for (unsigned i = 0; i < drawers; ++i) drawers_.emplace_back([this] { Draw(); });
}

GraphicsAhead::~GraphicsAhead() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    changed_.notify_all();
    recorder_.join();
    for (std::thread& drawer : drawers_) drawer.join();
}

bool GraphicsAhead::RoomAhead() const {
    return recorded_.size() + drawing_.size() + ready_.size() < kMostPagesAhead && entriesAhead_ < kMostEntriesAhead;
}

bool GraphicsAhead::StillComing(int page) const {
    if (page > lastRecorded_) return !recordingDone_ && !stop_;
    return drawing_.count(page) != 0 ||
           std::any_of(recorded_.begin(), recorded_.end(), [page](const Page& p) { return p.number == page; });
}

void GraphicsAhead::Record() {
    PDFDoc* doc = job_.OpenGraphicsPdf();
    const int pages = doc && doc->isOk() ? doc->getNumPages() : 0;
    CConvertPara& para = *job_.para;
    for (int n = para.firstPage; n <= pages && para.cancelRequested == 0; ++n) {
        if (!para.pages.Selected(n)) continue;
        {
            std::unique_lock<std::mutex> hold(lock_);
            changed_.wait(hold, [this] { return stop_ || RoomAhead(); });
            if (stop_) break;
        }
        Page page;
        page.number = n;
        job_.PageGraphicsPass(n, page.graphics, &page.drawings);
        page.weight = Weight(page.graphics);
        {
            std::lock_guard<std::mutex> hold(lock_);
            entriesAhead_ += page.weight;
            lastRecorded_ = n;
            recorded_.push_back(std::move(page));
        }
        changed_.notify_all();
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        recordingDone_ = true;
    }
    changed_.notify_all();
}

void GraphicsAhead::Draw() {
    std::unique_ptr<PDFDoc> doc;  // opened on the first page with drawings
    while (true) {
        Page page;
        {
            std::unique_lock<std::mutex> hold(lock_);
            changed_.wait(hold, [this] { return stop_ || !recorded_.empty() || recordingDone_; });
            if (stop_ || recorded_.empty()) break;
            page = std::move(recorded_.front());
            recorded_.pop_front();
            drawing_.insert(page.number);
        }
        if (page.drawings.pending && job_.para->cancelRequested == 0) {
            if (!doc) doc = job_.OpenDrawingPdf();
            job_.PageDrawingsPass(doc.get(), page.number, page.drawings, page.graphics);
            const size_t weight = Weight(page.graphics);
            std::lock_guard<std::mutex> hold(lock_);
            entriesAhead_ = entriesAhead_ - page.weight + weight;
            page.weight = weight;
        }
        page.drawings = {};
        {
            std::lock_guard<std::mutex> hold(lock_);
            drawing_.erase(page.number);
            const int number = page.number;
            ready_.emplace(number, std::move(page));
        }
        changed_.notify_all();
    }
    changed_.notify_all();
}

GraphicsList GraphicsAhead::Take(int page) {
    std::unique_lock<std::mutex> hold(lock_);
    while (true) {
        while (!ready_.empty() && ready_.begin()->first < page) {
            entriesAhead_ -= ready_.begin()->second.weight;
            ready_.erase(ready_.begin());
            changed_.notify_all();
        }
        if (!ready_.empty() && ready_.begin()->first == page) {
            entriesAhead_ -= ready_.begin()->second.weight;
            GraphicsList graphics = std::move(ready_.begin()->second.graphics);
            ready_.erase(ready_.begin());
            changed_.notify_all();
            return graphics;
        }
        if (!StillComing(page)) return {};
        changed_.wait(hold);
    }
}
