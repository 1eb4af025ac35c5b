#pragma once
// The image filter of one page: cuts every recorded picture out of the page
// PostScript into a small page of its own, has Ghostscript render it and
// completes the picture's entry in the graphics list.
#include <fstream>
#include <string>

#include "pagegraphics/PageGraphicsJob.h"
#include "rtf/GraphicsList.h"

class Picture;

namespace pagegraphics {

struct PictureMatrix;
class GhostscriptRenderer;

enum FilterResult {
    FilterDone = 0,
    FilterSkewed = 81,  // a skewed picture was left out; the others were handled
    FilterFailed = 82,  // a picture could not be rendered
};

class PageImageFilter {
public:
    // psPath: the page PostScript.
    PageImageFilter(const std::string& psPath, int page, GraphicsList& graphics, PageGraphicsJob& job);
    int Run();
    // A page folder that was not swapped in goes with its pictures.
    ~PageImageFilter();
    PageImageFilter(const PageImageFilter&) = delete;
    PageImageFilter& operator=(const PageImageFilter&) = delete;

private:
    bool PreparePage(int pictures);
    // Moves the PostScript file to the line after picture `number`'s begin marker.
    bool FindPicture(int number);
    bool CutOut(Picture& entry, const PictureMatrix& matrix, int n, std::string& imagePath);
    bool WriteCutOutPage(Picture& entry, const PictureMatrix& matrix, const std::string& path, double& width,
                         double& height);
    // The job's Ghostscript, started on its first picture.
    GhostscriptRenderer& Renderer();
    bool Deliver(const std::string& scratchImage, int n, std::string& finalPath);
    // Puts the page's new folder in place of the earlier one (or of whatever has its
    // name), in one step: a reader never sees old and new pictures mixed.
    void SwapInPageFolder();
    bool PageFolderFilled() const;
    void Fail(const std::string& problem);

    std::string psPath_;
    int page_;
    GraphicsList& graphics_;
    PageGraphicsJob& job_;
    std::ifstream ps_;
    std::string templatePath_;
    std::string workFolder_;    // scratch files, and a text job's images
    std::string resultFolder_;  // an image job's page folder; empty for text jobs
    // Where an image job's page folder is filled before it replaces the earlier one:
    // a hidden folder beside it, on the same file system.
    std::string pageAside_;
    int imageCount_ = 0;
    bool failed_ = false;
};

}  // namespace pagegraphics
