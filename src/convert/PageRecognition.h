#pragma once
// The job's side of text recognition: which pages are read from their
// picture, and the reading itself. A page is rendered at 300 dpi by the PDF
// core's rasteriser, from a copy of the PDF of its own, and its words are
// recognised by Tesseract.
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "extract/PageRecognition.h"
#include "pagegraphics/PageFootprints.h"
#include "rtf/GraphicsList.h"

class CConvertPara;
class PDFDoc;

namespace platform {
class DrawingBudget;
class TextRecognizer;
struct RecognisedPage;
}

// What the recognition leaves for the RTF build: the pages whose words were read
// from their picture, and the figures of those pictures, which the flowing
// layout keeps in place of the whole scan.
struct RecognisedScans {
    std::set<int> pages;
    std::map<int, GraphicsList> figures;
    // The flowing layout leaves out the scan of a recognised page: its words are
    // the text now. Its figures take its place.
    void ReplaceScan(int page, GraphicsList& graphics);
};

class JobPageRecognition : public IPageRecognition {
public:
    // `openCopy` opens a copy of the job's PDF for this object alone; what is
    // recognised is told to `scans`.
    JobPageRecognition(CConvertPara& para, std::function<std::unique_ptr<PDFDoc>()> openCopy,
                       RecognisedScans& scans);
    ~JobPageRecognition() override;

    PageTextSource Choose(const PageTextFacts& facts) override;
    std::vector<RecognisedWord> Recognise(int page) override;

    // The text pass's budget of the page being read: a page it cut short is left as it is.
    void SetPageBudget(const platform::DrawingBudget* budget) { pageBudget_ = budget; }

    // What the user hears at the end: how many pages were recognised, and how surely.
    std::string Summary() const;

private:
    PDFDoc* Document();
    // The share of the page that its largest picture covers; with `anyText`,
    // also whether it draws any characters.
    double LargestPictureShare(int page, bool* anyText = nullptr);
    // The regions the layout analysis took for pictures, rendered in colour.
    void KeepFigures(int page, const std::vector<pagegraphics::FootprintBox>& regions, double pageHeight);
    // A page without characters, covered by a picture: most likely a scan, read
    // ahead while the pages before it are.
    bool LikelyScan(int page);
    // Starts reading the likely scans after `page` on the readers that are free.
    void ReadAhead(int page);
    // Drops what was read ahead of pages before `page`: they turned out to have text.
    void ForgetBefore(int page);

    // Renders and recognises pages with a copy of the PDF and a Tesseract of its
    // own, one page at a time: scanned pages are read on several threads.
    struct Reader;
    struct Reading;
    struct Ahead;
    std::unique_ptr<Reader> MakeReader();
    Reader* FreeReader();
    std::unique_ptr<Reader> ownReader_;  // for the page asked for when it was not read ahead
    std::vector<std::unique_ptr<Reader>> aheadReaders_;
    std::map<int, Ahead> ahead_;  // by page
    std::map<int, bool> likelyScans_;
    std::string languages_;
    CConvertPara& para_;
    std::function<std::unique_ptr<PDFDoc>()> openCopy_;
    RecognisedScans& scans_;
    const platform::DrawingBudget* pageBudget_ = nullptr;
    std::unique_ptr<PDFDoc> document_;
    bool recognizerFailed_ = false;
    bool leaveTextOut_ = false;  // the page has text of its own: only its pictures are read
    int pagesRecognised_ = 0;
    long wordsRecognised_ = 0;
    double confidenceSum_ = 0;
};
