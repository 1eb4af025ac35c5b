#pragma once
// The graphics the page-graphics pass recorded for a page, as data: pictures (the
// rendered file and its placement) and vector shapes (their PostScript text, and
// the RTF made of it once the page has them).
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "rtf/RtfRect.h"

// A graphic entry of a page: a picture (kind 1) or a vector shape (kind 2).
class GraphicEntry {
public:
    enum Kind { KindPicture = 1, KindShape = 2 };
    explicit GraphicEntry(int kind) : kind_(kind) {}
    virtual ~GraphicEntry() = default;
    int Kind() const { return kind_; }

    int drawingOrder = 0;  // place in the page's painting order, from 0; the shape's z-order
    int itemNumber = 0;    // picture or shape number on the page, from 0

private:
    int kind_;
};

// How a picture lies on its page, as the image filter found from its matrix: the
// writer turns the picture's box and moves its corner by it.
enum class PicturePlacement {
    None = 0,                     // not cut out by the image filter
    Other = 2,                    // slanted or mirrored; upright and unmirrored it hangs from its top
    QuarterClockwise = 3,         // shown turned a quarter clockwise: its width and height swap
    QuarterCounterClockwise = 4,  // turned a quarter the other way: swapped, its corner at the far side
    Upright = 5,
    QuarterMirrored = 7,          // turned a quarter and mirrored
};

// How a picture's file is encoded, which the RTF picture names.
enum class PictureFormat { Jpeg, Png };

// A picture: what the page PostScript device saw when it drew it, and what the
// image filter made of it (the rendered file and its placement).
class Picture : public GraphicEntry {
public:
    Picture() : GraphicEntry(KindPicture) {}

    int ImageNumber() const { return itemNumber; }

    double posX = 0, posY = 0;
    float scaleA = 0, scaleB = 0, scaleC = 0, scaleD = 0;
    PicturePlacement placement = PicturePlacement::None;
    std::string matrixText;  // "[a b c d e f]": the transformation of the picture's unit square
    std::string stateText;   // the fill colour when it was drawn, as colour operators
    std::string imagePath;
    std::string hexPath;     // the picture as hexadecimal text, which RTF embeds
    // The encoded picture, for one made in memory: a rendered figure, or a picture
    // taken from the PDF. Shared, as a picture drawn on many pages is made once.
    std::shared_ptr<const std::string> data;
    PictureFormat format = PictureFormat::Jpeg;
    int pixelWidth = 0, pixelHeight = 0;  // of the picture's samples
};

// An axis-aligned straight piece of a recorded shape: a rule (a stroked line, or
// a filled rectangle thin enough to be one) or a ground (a larger filled
// rectangle). Tables take these as their borders and cell shading.
struct RulePiece {
    RtfRect box;          // the painted extent in XML units, a stroke's width included
    bool ground = false;  // a filled rectangle wider and taller than a rule
    int colour = 0;       // red + 256 green + 65536 blue, as shapes carry colours
    int widthTwips = 0;   // a rule's thickness; 0 for a ground
    int piece = 0;        // the shape group (subpath) of the shape it belongs to
};

// A vector shape: one stroked or filled path as the small PostScript text the page
// PostScript device recorded (clip, state, colours, path, operator), and the RTF
// freeform shapes made of it.
class VectorShape : public GraphicEntry {
public:
    VectorShape() : GraphicEntry(KindShape) {}

    // Gives rtfText, ahead of its making, the room it will most likely need, and
    // touches it. The recorder calls it on its own thread, which has time to
    // spare: on a page of tens of thousands of shapes, fresh memory touched for
    // the first time was the writing thread's largest cost.
    void PrepareText() {
        // The fixed words of a shape are some 700 bytes; its vertices and segments
        // take about twice the room of the path they come from.
        rtfText.resize(1024 + 2 * psText.size());
        rtfText.clear();
    }
    // The last subpath's box, in XML units.
    RtfRect Box() const { return {boxLeft, boxTop, boxRight, boxBottom}; }

    std::string psText;
    std::string rtfText;
    int boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
    int shapesWritten = 0;  // shape groups in rtfText, one per drawn subpath
    // Where each shape group starts in rtfText, so that one can be taken out again.
    std::vector<size_t> pieceStarts;
    // The shape's rule pieces; none when it holds a curve or a slanted line.
    std::vector<RulePiece> rulePieces;
};
