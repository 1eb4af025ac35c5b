#pragma once
// The pictures and vector shapes of a page, in the order they were handed to
// it, as the RTF written at the start of the page.
#include <deque>
#include <string>
#include <vector>

class CRtfPage;
class ShapeIds;

// The shapes' texts are referred to where the page keeps them, not copied: a
// drawing-heavy page carries tens of megabytes of them.
struct PageGraphicsPieces {
    std::deque<std::string> pictures;        // the pictures' texts, made for this page
    std::vector<const std::string*> pieces;  // every non-empty text, in drawing order
    bool Empty() const { return pieces.empty(); }
    std::string Joined() const;
};

// Valid while the page and its entries are.
PageGraphicsPieces WritePageGraphics(const CRtfPage& page, ShapeIds& ids, bool removeImages);
