#include "convert/GraphicsAhead.h"

#include <PDFDoc.h>

#include "convert/ConversionJob.h"

namespace {

// Recorded but not yet written: a few pages, or some 100 MB of shapes (a
// recorded shape holds its PostScript text and room for its RTF).
constexpr size_t kMostPagesAhead = 64;
constexpr size_t kMostEntriesAhead = 50000;

}  // namespace

GraphicsAhead::GraphicsAhead(ConversionJob& job) : job_(job) {
    thread_ = std::thread([this] { Run(); });
}

GraphicsAhead::~GraphicsAhead() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void GraphicsAhead::Run() {
    PDFDoc* doc = job_.OpenGraphicsPdf();
    const int pages = doc && doc->isOk() ? doc->getNumPages() : 0;
    CConvertPara& para = *job_.para;
    for (int n = para.firstPage; n <= pages && para.cancelRequested == 0; ++n) {
        if (!para.pages.Selected(n)) continue;
        {
            std::unique_lock<std::mutex> hold(lock_);
            changed_.wait(hold, [this] {
                return stop_ || (ready_.size() < kMostPagesAhead && readyEntries_ < kMostEntriesAhead);
            });
            if (stop_) break;
        }
        GraphicsList recorded;
        job_.PageGraphicsPass(n, recorded);
        {
            std::lock_guard<std::mutex> hold(lock_);
            readyEntries_ += recorded.size();
            ready_.emplace_back(n, std::move(recorded));
        }
        changed_.notify_all();
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        done_ = true;
    }
    changed_.notify_all();
}

GraphicsList GraphicsAhead::Take(int page) {
    std::unique_lock<std::mutex> hold(lock_);
    while (true) {
        while (!ready_.empty() && ready_.front().first <= page) {
            std::pair<int, GraphicsList> front = std::move(ready_.front());
            ready_.pop_front();
            readyEntries_ -= front.second.size();
            changed_.notify_all();
            if (front.first == page) return std::move(front.second);
        }
        if (!ready_.empty() || done_) return {};
        changed_.wait(hold);
    }
}
