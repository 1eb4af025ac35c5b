#pragma once
// A picture of a page: what the page PostScript device saw when it drew it, and
// what the image filter made of it (the rendered file and its placement).
#include <string>

#include "rtfgraphics/CRtfShpObject.h"

class CRtfPage;
class ShapeIds;

class CRtfImage : public CRtfShpObject {
public:
    CRtfImage() : CRtfShpObject(KindPicture) {}

    // Stores the rendered file; unless keepOnly, also writes the picture as
    // hexadecimal text beside it (same name, ".txt"), which RTF embeds. False
    // when that text cannot be made.
    bool SetImagePath(const std::string& path, bool keepOnly);
    void SetScale(const float* values, int count);
    // The picture as a floating picture shape behind the text, its JPEG data
    // embedded; empty when pictures are removed or there is no picture text.
    std::string WriteRtf(const CRtfPage* page, ShapeIds& ids, bool removeImages) const;

    int ImageNumber() const { return itemNumber; }

    double posX = 0, posY = 0;
    float scaleA = 0, scaleB = 0, scaleC = 0, scaleD = 0;
    int pageNumber = 0;
    int placement = 0;       // placement kind set by the image filter: 2, 3, 4, 5 or 7
    std::string matrixText;  // "[a b c d e f]": the transformation of the picture's unit square
    std::string stateText;   // the fill colour when it was drawn, as colour operators
    std::string clipText;
    std::string imagePath;
    std::string hexPath;
    int pixelWidth = 0, pixelHeight = 0;  // of the picture's samples
};

// Writes a file's bytes as upper-case hexadecimal digits, no separators; false
// when either file cannot be opened.
bool WriteHexText(const std::string& binaryPath, const std::string& hexPath);
