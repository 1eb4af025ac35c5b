#pragma once
// One job as the page-graphics pass and the image filter see it: where the page
// PostScript and the pictures go, how pictures are rendered, and whom to tell.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PDFDoc;

namespace pagegraphics {

class GhostscriptRenderer;
class SourcePictures;

// What the page-graphics passes of a job made of its pictures, so that a front
// end can report what an image job wrote and why a picture failed.
struct PictureTally {
    int32_t rendered = 0;
    int32_t failed = 0;
    int32_t skewed = 0;                // left out: neither upright nor turned a quarter
    int32_t decoded = 0;               // taken from the PDF without Ghostscript, each made once
    int32_t reused = 0;                // drawn again, and taken as made before
    std::vector<std::string> folders;  // page folders an image job wrote into, in page order
    std::string firstProblem;          // why the first failed picture failed
};

// What a pass tells while it runs, from its own thread.
class IPassObserver {
public:
    virtual ~IPassObserver() = default;
    virtual void Log(const std::string& line) = 0;
    // What the user must hear although the file converts (a page cut short).
    virtual void AddNote(const std::string& note) = 0;
};

struct PageGraphicsJob {
    PageGraphicsJob();
    ~PageGraphicsJob();
    PageGraphicsJob(const PageGraphicsJob&) = delete;
    PageGraphicsJob& operator=(const PageGraphicsJob&) = delete;

    bool Cancelled() const { return cancel && *cancel != 0; }
    // Ends the job's Ghostscript, which may still be writing into the workspace.
    void EndRenderer();

    PDFDoc* document = nullptr;    // the pass's own copy of the PDF, owned by the job
    std::string workDir;           // the page PostScript is workDir/baseName.ps
    std::string baseName;
    std::string outputDir;         // where an image job's page folders go
    std::string device = "jpeg";   // the Ghostscript device pictures are rendered with
    std::string imageExtension = "jpeg";  // of the files that device writes
    bool imageJob = false;         // pictures are the result, in page folders of their own
    bool removeImages = false;     // pictures are named but never rendered
    const std::atomic<int32_t>* cancel = nullptr;
    IPassObserver* observer = nullptr;
    PictureTally* pictures = nullptr;
    // The job's Ghostscript, started on its first picture; it must end before
    // the workspace goes.
    std::unique_ptr<GhostscriptRenderer> renderer;
    // A text job's pictures, taken from the PDF where they can be, each made
    // once; made on the first page. An image job's pictures are Ghostscript's,
    // in the format the user chose.
    bool picturesFromSource = true;
    std::unique_ptr<SourcePictures> sourcePictures;
};

}  // namespace pagegraphics
