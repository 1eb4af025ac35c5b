#pragma once
// A graphic entry of a page: a picture (kind 1) or a vector shape (kind 2),
// recorded while the page is written as PostScript and turned into RTF shapes.
class CRtfShpObject {
public:
    enum Kind { KindPicture = 1, KindShape = 2 };
    explicit CRtfShpObject(int kind) : kind_(kind) {}
    virtual ~CRtfShpObject() = default;
    int Kind() const { return kind_; }

private:
    int kind_;
};
