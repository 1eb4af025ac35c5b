#pragma once
// The page graphics of the selected pages are recorded on a thread of their
// own, in the pass's own copy of the PDF, from the start of the job: beside
// the text pass first, then ahead of the page being written. On a
// drawing-heavy document the graphics take as long as all the rest, and a
// second processor hides most of them. How far the thread may run ahead is
// bounded, so that memory does not grow with the document.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "rtf/GraphicsList.h"

class ConversionJob;

class GraphicsAhead {
public:
    explicit GraphicsAhead(ConversionJob& job);
    ~GraphicsAhead();  // stops the thread and waits for it
    GraphicsAhead(const GraphicsAhead&) = delete;
    GraphicsAhead& operator=(const GraphicsAhead&) = delete;

    // Waits until the graphics of `page` are recorded and hands them over;
    // nothing for a page the thread does not reach (a cancelled job).
    GraphicsList Take(int page);

private:
    void Run();

    ConversionJob& job_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::pair<int, GraphicsList>> ready_;
    size_t readyEntries_ = 0;
    bool stop_ = false;
    bool done_ = false;
    std::thread thread_;
};
