#pragma once
// Shape identifiers of one document. Rotated text shapes count from 1 and pictures and vector shapes
// from 2028, as word processors that read these files expect; should the text shapes ever reach the
// pictures' range they draw from the same sequence, so no two shapes of a document share an id.
class ShapeIds {
public:
    int NextTextShape() { return nextText < kFirstGraphic ? nextText++ : nextGraphic++; }
    int NextGraphic() { return nextGraphic++; }

    static constexpr int kFirstGraphic = 2028;

private:
    int nextText = 1;
    int nextGraphic = kFirstGraphic;
};
