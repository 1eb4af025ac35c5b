#pragma once
// What one text-showing operation draws between blanks (or between clear gaps).
#include <string>
#include <vector>

class HtmlLink;

class HtmlTextRun {
public:
    struct TextState {
        double charSpace = 0, wordSpace = 0, horizScaling = 1, rise = 0, leading = 0;
    };

    HtmlTextRun(double yMin, double yMax, int fontIndex, const TextState& textState);

    // Adds a character at device x with advance w; the first one fixes the direction.
    void addChar(unsigned u, double x, double w, int direction);
    // Adds a character of a font in vertical writing mode, whose glyph box is one em
    // square right of x and above y; the run grows downwards and reads top to bottom.
    void addVerticalChar(unsigned u, double x, double y, double size);
    // Right-to-left runs are stored in reading order.
    void finish();
    // Characters of a script read from right to left (Hebrew).
    static bool RightToLeftScript(unsigned u);

    int length() const { return static_cast<int>(text.size()); }
    bool empty() const { return text.empty(); }

    const HtmlLink* link = nullptr;
    double xMin = 0, xMax = 0;
    double yMin, yMax;
    std::vector<unsigned> text;
    std::vector<double> xRight;
    int fontIndex;
    std::string escapedText;
    int direction = 0;
    TextState state;
    // The size of its glyphs on the page, in device units.
    double size = 0;
    // It follows a word break of its own operation: never joined to the run before.
    bool afterBreak = false;
    // It repeats an earlier run at the same place and is left out.
    bool copyOf = false;
    // Drawn invisibly (render mode 3 or 7): kept aside until the page says whether
    // it is a scan's recognised text layer.
    bool hidden = false;
    // Placed from outside the content stream (recognised from the page's picture).
    bool placed = false;
};
