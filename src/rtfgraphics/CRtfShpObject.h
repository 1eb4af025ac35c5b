#pragma once
// A graphic entry of a page: a picture (kind 1) or a vector shape (kind 2),
// recorded while the page is written as PostScript and turned into RTF shapes.
class CRtfShpObject {
public:
    enum Kind { KindPicture = 1, KindShape = 2 };
    explicit CRtfShpObject(int kind) : kind_(kind) {}
    virtual ~CRtfShpObject() = default;
    int Kind() const { return kind_; }

    int rotation = 0;      // page rotation in degrees; always 0 in this system
    int drawingOrder = 0;  // place in the page's painting order, from 0; the shape's z-order
    int itemNumber = 0;    // picture or shape number on the page, from 0

private:
    int kind_;
};
