#pragma once
// The page-graphics pass of the next page runs on a thread of its own while the
// current page is written: on a drawing-heavy document the two take about as
// long, and a second processor halves the wait. Only the pass's thread uses the
// job's PDF while one runs.
#include <thread>

#include "convert/CGraphicsList.h"

class CConvertDoc;

class GraphicsAhead {
public:
    explicit GraphicsAhead(CConvertDoc& job) : job_(job) {}
    ~GraphicsAhead() { Wait(); }
    GraphicsAhead(const GraphicsAhead&) = delete;
    GraphicsAhead& operator=(const GraphicsAhead&) = delete;

    // Starts the pass of `page`; 0 starts nothing.
    void Start(int page);
    // Waits for the pass started last and hands over what it recorded.
    CGraphicsList Take();
    // Waits for a running pass and drops what it recorded.
    void Wait();

private:
    CConvertDoc& job_;
    std::thread thread_;
};
