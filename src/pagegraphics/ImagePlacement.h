#pragma once
// Where a cut-out picture sits on its own small page: the paper size, the
// orientation and the matrix that maps the picture's unit square onto it,
// decided by how the page turned the picture.
#include <string>

#include "rtf/RecordedGraphics.h"

namespace pagegraphics {

struct PictureMatrix {
    double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
};

// Reads "[a b c d e f]" (brackets optional); false unless six numbers are there.
bool ParseMatrix(const std::string& text, PictureMatrix& m);

// Neither upright (b and c zero) nor turned by a quarter (a and d zero): such a
// picture cannot be placed on a page of its own.
bool IsSkewed(const PictureMatrix& m);

// Which ways an upright picture is mirrored on the page (a or d negative);
// turned pictures are placed by their own cases instead.
struct PictureMirror {
    bool acrossX = false;  // left and right exchanged
    bool acrossY = false;  // top and bottom exchanged
};
PictureMirror MirrorOf(const PictureMatrix& m);

// The image matrix that draws a picture of w x h samples mirrored as on the
// page: "/ImageMatrix [...]".
std::string MirroredImageMatrix(int w, int h, const PictureMirror& mirror);

struct ImagePlacement {
    int paperWidth = 0, paperHeight = 0;
    std::string orientationText;  // inserted before the page orientation comment
    std::string placementLine;    // "[...] cm\n", replaces nothing: inserted at the image tag
    PicturePlacement kind = PicturePlacement::Other;  // stored on the picture entry
    double p[6] = {0, 0, 0, 0, 0, 0};  // the placement matrix of an upright picture
};

// The placement of a picture of width x height samples drawn with matrix m.
ImagePlacement PlacePicture(const PictureMatrix& m, double width, double height);

// The paper set-up line of a cut-out page: "W H false pdfSetup\n".
std::string PaperSetupLine(const ImagePlacement& placement);

}  // namespace pagegraphics
