#pragma once
// The job's side of text recognition: which pages are read from their
// picture, and the reading itself. A page is rendered at 300 dpi by the PDF
// core's rasteriser, from a copy of the PDF of its own, and its words are
// recognised by Tesseract.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "extract/PageRecognition.h"

class CConvertPara;
class PDFDoc;

namespace platform {
class TextRecognizer;
}

class JobPageRecognition : public IPageRecognition {
public:
    // `openCopy` opens a copy of the job's PDF for this object alone.
    JobPageRecognition(CConvertPara& para, std::function<std::unique_ptr<PDFDoc>()> openCopy);
    ~JobPageRecognition() override;

    PageTextSource Choose(const PageTextFacts& facts) override;
    std::vector<RecognisedWord> Recognise(int page) override;

    // What the user hears at the end: how many pages were recognised, and how surely.
    std::string Summary() const;

private:
    PDFDoc* Document();
    // The share of the page that its largest picture covers.
    double LargestPictureShare(int page);

    CConvertPara& para_;
    std::function<std::unique_ptr<PDFDoc>()> openCopy_;
    std::unique_ptr<PDFDoc> document_;
    std::unique_ptr<platform::TextRecognizer> recognizer_;
    bool recognizerFailed_ = false;
    bool leaveTextOut_ = false;  // the page has text of its own: only its pictures are read
    int pagesRecognised_ = 0;
    long wordsRecognised_ = 0;
    double confidenceSum_ = 0;
};
