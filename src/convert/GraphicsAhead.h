#pragma once
// The page graphics of the selected pages are recorded on a thread of their
// own, in the pass's own copy of the PDF, from the start of the job: beside
// the text pass first, then ahead of the page being written. On a
// drawing-heavy document the graphics take as long as all the rest, and a
// second processor hides most of them. A page's dense drawings are rendered
// by other threads, each with a copy of its own, while the next pages are
// recorded: rendering a figure costs as much as recording its page. How far
// the threads may run ahead is bounded, so that memory does not grow with the
// document.
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "pagegraphics/PageGraphicsPass.h"
#include "rtf/GraphicsList.h"

class ConversionJob;

class GraphicsAhead {
public:
    explicit GraphicsAhead(ConversionJob& job);
    ~GraphicsAhead();  // stops the threads and waits for them
    GraphicsAhead(const GraphicsAhead&) = delete;
    GraphicsAhead& operator=(const GraphicsAhead&) = delete;

    // Waits until the graphics of `page` are complete and hands them over;
    // nothing for a page the threads do not reach (a cancelled job).
    GraphicsList Take(int page);

private:
    struct Page {
        int number = 0;
        GraphicsList graphics;
        pagegraphics::PendingDrawings drawings;
        size_t weight = 0;  // what graphics counts in entriesAhead_
    };

    void Record();
    void Draw();
    bool RoomAhead() const;
    bool StillComing(int page) const;

    ConversionJob& job_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Page> recorded_;  // drawings still to render, in page order
    std::set<int> drawing_;      // pages being rendered
    std::map<int, Page> ready_;  // complete; drawers may finish out of order
    size_t entriesAhead_ = 0;    // in all of them, pictures' texts weighed in
    int lastRecorded_ = 0;
    bool stop_ = false;
    bool recordingDone_ = false;
    std::thread recorder_;
    std::vector<std::thread> drawers_;
};
