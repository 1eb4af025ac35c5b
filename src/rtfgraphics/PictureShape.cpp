// A rendered picture as an RTF picture frame shape placed on its page.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "rtf/CRtfPage.h"
#include "rtf/HexText.h"
#include "rtf/RtfUnits.h"
#include "rtf/ShapeIds.h"
#include "rtf/RecordedGraphics.h"
#include "rtfgraphics/FreeformPath.h"
#include "rtfgraphics/PageGraphicsWriter.h"

namespace {

int RoundedTwips(double v) { return ToTwips(TruncatedInt(v + 0.5)); }

// Read in one piece: a picture's text runs to megabytes, and a stream copy of
// it took as long as the rest of the page's writing.
std::string ReadText(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return {};
    std::string text;
    if (std::fseek(in, 0, SEEK_END) == 0) {
        const long size = std::ftell(in);
        if (size > 0 && std::fseek(in, 0, SEEK_SET) == 0) {
            text.resize(static_cast<size_t>(size));
            text.resize(std::fread(text.data(), 1, text.size(), in));
        }
    }
    std::fclose(in);
    return text;
}

}  // namespace

std::string WritePicture(const Picture& picture, const CRtfPage* page, ShapeIds& ids, bool removeImages) {
    if (removeImages || !page || (picture.hexPath.empty() && !picture.data)) return {};
    // A missing or empty picture text is no picture: the shape would show an empty frame.
    const std::string hexFile = picture.data ? std::string() : ReadText(picture.hexPath);
    if (picture.data ? picture.data->empty() : hexFile.empty()) return {};

    const uint32_t pageWidth = static_cast<uint32_t>(page->Width());
    const uint32_t pageHeight = static_cast<uint32_t>(page->Height());
    // A page scaled to fit takes its pictures along.
    const double s = page->contentScale;
    double width = (std::fabs(picture.scaleA) + std::fabs(picture.scaleB)) * s;
    // A picture flatter than one unit takes its height from its slant as well.
    const float slant = std::fabs(picture.scaleC), upright = std::fabs(picture.scaleD);
    double height = (TruncatedInt(upright) == 0 ? slant + upright : upright) * s;
    double top = std::fabs(static_cast<double>(pageHeight) - picture.posY * s);
    double left = picture.posX * s;
    switch (picture.placement) {
        case PicturePlacement::QuarterClockwise:
            std::swap(width, height);
            break;
        case PicturePlacement::QuarterCounterClockwise:
            std::swap(width, height);
            left -= width;
            top -= height;
            break;
        case PicturePlacement::Upright:
            top -= height;
            break;
        default:
            break;
    }
    if (picture.scaleB == 0 && picture.scaleC == 0 && picture.scaleD > 0 && picture.placement == PicturePlacement::Other && height > 0)
        top -= height;
    height = std::fabs(height);

    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "{\\shp\n{\\*\\shpinst\n\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d\n"
                  "\\shpfhdr0\\shpwr3\\shpwrk0\\shpfblwtxt1\\shplid%d\\shpz%d\\shpbxpage\\shpbypage\n"
                  "\\absh%d\\absw%d",
                  RoundedTwips(left), RoundedTwips(top), RoundedTwips(left + width), RoundedTwips(top + height),
                  ids.NextGraphic(), picture.drawingOrder, ToTwips(static_cast<int>(pageHeight)),
                  ToTwips(static_cast<int>(pageWidth)));
    std::string out = buf;
    out += "{\\sp{\\sn shapeType}{\\sv 75}}\n{\\sp{\\sn fFlipH}{\\sv 0}}\n{\\sp{\\sn fFlipV}{\\sv 0}}\n"
           "{\\sp{\\sn pibFlags}{\\sv 2}}\n{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn fEditedWrap}{\\sv 0}}\n"
           "{\\sp{\\sn fBehindDocument}{\\sv 1}}\n{\\sp{\\sn pib}{\\sv {\\pict\n";
    out += picture.format == PictureFormat::Png ? "\\pngblip\n" : "\\jpegblip\n";
    if (picture.data) AppendHexText(out, picture.data->data(), picture.data->size());
    else out += hexFile;
    out += "}\n}}}}";
    return out;
}
