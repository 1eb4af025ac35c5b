#pragma once
// Where a page's text comes from when the PDF draws none that can be read: the
// hidden text layer of a scan that was recognised before, or words recognised
// now from the page's picture. The extraction device asks at the end of each
// page; the job decides, and recognises.
#include <string>
#include <vector>

// What the device saw of a page's text.
struct PageTextFacts {
    int page = 0;
    bool visibleText = false;    // text that is drawn
    bool invisibleText = false;  // text drawn in render mode 3 or 7: a scan's recognised layer, or a trick
    double textShare = 0;        // of the page's area, covered by the boxes of its visible text
};

enum class PageTextSource {
    Own,          // the visible text, as always
    HiddenLayer,  // the invisible text, read as ordinary text: the page is a scan recognised before
    Recognised,   // words recognised from the page's picture, beside any visible text
};

// A word recognised on the page, in XML units (108 per inch, y downward).
struct RecognisedWord {
    std::string text;  // UTF-8
    double left = 0, top = 0, right = 0, bottom = 0;
    double baseline = 0;
    double size = 0;  // the font size, in XML units
    bool serif = true;
    bool monospace = false;
};

class IPageRecognition {
public:
    virtual ~IPageRecognition() = default;
    virtual PageTextSource Choose(const PageTextFacts& facts) = 0;
    // Called only after Choose gave Recognised; the words in reading order.
    virtual std::vector<RecognisedWord> Recognise(int page) = 0;
};
