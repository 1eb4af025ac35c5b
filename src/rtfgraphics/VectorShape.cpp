// A recorded path into RTF freeform shapes: its colours, line and matrix read
// from the PostScript text, one shape group per subpath.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "rtf/CRtfPage.h"
#include "rtf/ShapeIds.h"
#include "rtf/RecordedGraphics.h"
#include "rtfgraphics/FreeformPath.h"
#include "rtfgraphics/LineDashing.h"
#include "rtfgraphics/PageGraphicsWriter.h"

namespace {

constexpr int kWhite = 16777215;
constexpr double kEmuPerPoint = 12700;

// Missing numbers read as 0.
std::vector<double> Numbers(std::string_view text, size_t most) {
    std::vector<double> out = ReadNumbers(text, most);
    out.resize(most, 0);
    return out;
}

int Byte(double component) { return TruncatedInt(component * 255 + 0.5) & 0xFF; }
int Pack(int red, int green, int blue) { return red + green * 256 + blue * 65536; }

int Cmyk(const std::vector<double>& v) {
    const double k = v[3];
    auto part = [k](double c) { return TruncatedInt((1 - (c * (1 - k) + k)) * 255 + 0.5); };
    return Pack(part(v[0]), part(v[1]), part(v[2]));
}

int Gray(double v) {
    if (v == 1) return kWhite;
    if (v == 0) return 0;
    return (TruncatedInt(v * 255) & 0xFF) * 65793;
}

// What the lines before the path operator set up.
struct PaintState {
    PathMatrix matrix;
    bool cmSeen = false;
    int lineWidth = 0;  // EMU
    double pathLineWidth = 0;
    std::vector<double> dashPattern;
    bool roundOrSquareCaps = false;
    int fillColor = 0;
    int lineColor = 0;
    std::string pathText;

    void Read(std::string_view line) {
        size_t blank = line.find_last_of(" \t");
        const std::string_view op = blank == std::string_view::npos ? line : line.substr(blank + 1);
        const std::string_view operands = blank == std::string_view::npos ? std::string_view() : line.substr(0, blank);
        if (op == "cm") {
            Matrix(line);
        } else if (op == "w") {
            double* m = matrix.m;
            double scale = (matrix.rotation == 90 || matrix.rotation == 270) ? m[1] : m[0];
            // A quarter turn the other way leaves the diagonal empty; the width
            // still scales with the matrix.
            if (scale == 0) scale = std::hypot(m[0], m[1]);
            pathLineWidth = Numbers(operands, 1)[0];
            lineWidth = TruncatedInt(pathLineWidth * std::fabs(scale) * 2 / 3 * kEmuPerPoint + 0.5);
        } else if (op == "d") {
            size_t open = line.find('['), close = line.rfind(']');
            dashPattern.clear();
            if (open != std::string_view::npos && close != std::string_view::npos && open < close)
                dashPattern = ReadNumbers(line.substr(open + 1, close - open - 1));
        } else if (op == "J") {
            roundOrSquareCaps = Numbers(operands, 1)[0] != 0;
        } else if (op == "k" || op == "K") {
            (op == "k" ? fillColor : lineColor) = Cmyk(Numbers(operands, 4));
        } else if (op == "g" || op == "G") {
            (op == "g" ? fillColor : lineColor) = Gray(Numbers(operands, 1)[0]);
        } else if (op == "rg" || op == "RG") {
            std::vector<double> v = Numbers(operands, 3);
            (op == "rg" ? fillColor : lineColor) = Pack(Byte(v[0]), Byte(v[1]), Byte(v[2]));
        } else if (op == "re" || op == "c" || op == "l" || op == "m" || op == "h") {
            pathText += line;
            pathText += '\n';
        } else if (op == "W" || op == "W*") {
            // Shapes are never clipped: the clip's path only must not join the shape's.
            pathText.clear();
        }
    }

    void Matrix(std::string_view line) {
        size_t open = line.find('['), close = line.rfind(']');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
        std::vector<double> v = Numbers(line.substr(open + 1, close - open - 1), 6);
        double* m = matrix.m;
        for (int i = 0; i < 6; ++i) m[i] = v[i];
        if (m[0] == 0 && m[3] == 0 && m[2] >= 0) matrix.rotation = 90;
        if (m[1] == 0 && m[2] == 0 && m[0] == 0) matrix.rotation = 180;
        if (m[0] == 0 && m[3] == 0 && m[2] == 0) matrix.rotation = 270;
        cmSeen = true;
    }
};

// Appends text and whole numbers; a drawing-heavy page writes tens of
// thousands of shapes, too many for formatted printing.
struct RtfText {
    std::string& out;
    RtfText& operator<<(std::string_view text) {
        out += text;
        return *this;
    }
    RtfText& operator<<(long long v) {
        char buf[24];
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
        return *this;
    }
};

// A filled rectangle no thicker than this (XML units, 3 points) and three times as
// long as thick is a rule; thicker ones are grounds.
constexpr double kRuleThickness = 4.5;
// Pieces shorter than this (XML units) are marks, not rules.
constexpr double kShortestRule = 3;

constexpr int kEmuPerTwip = 635;

int Twips(double xmlUnits) { return TruncatedInt(xmlUnits * 40 / 3 + 0.5); }

// The subpath's rules and grounds, for tables to take as borders and shading.
void AddRulePieces(VectorShape& shape, const FreeformShape& piece, const PaintState& state, bool isStroke, bool isFill,
                   int index) {
    if (piece.axisEdges.empty()) return;
    auto add = [&](double left, double top, double right, double bottom, bool ground, int colour, int width) {
        RulePiece rule;
        rule.box = {TruncatedInt(std::floor(left)), TruncatedInt(std::floor(top)), TruncatedInt(std::ceil(right)),
                    TruncatedInt(std::ceil(bottom))};
        rule.ground = ground;
        rule.colour = colour;
        rule.widthTwips = width;
        rule.piece = index;
        shape.rulePieces.push_back(rule);
    };
    if (isStroke) {
        const double half = std::max(state.lineWidth / kEmuPerPoint * 1.5 / 2, 0.5);
        const int width = std::max(state.lineWidth / kEmuPerTwip, 1);
        for (const AxisEdge& e : piece.axisEdges) {
            if (std::max(e.x1 - e.x0, e.y1 - e.y0) < kShortestRule) continue;
            if (e.Horizontal()) add(e.x0, e.y0 - half, e.x1, e.y0 + half, false, state.lineColor, width);
            else add(e.x0 - half, e.y0, e.x0 + half, e.y1, false, state.lineColor, width);
        }
    } else if (isFill && piece.rectangle) {
        const double w = piece.extentRight - piece.extentLeft, h = piece.extentBottom - piece.extentTop;
        const double thickness = std::min(w, h), length = std::max(w, h);
        if (length < kShortestRule) return;
        const bool rule = thickness <= kRuleThickness && length >= 3 * thickness;
        add(piece.extentLeft, piece.extentTop, piece.extentRight, piece.extentBottom, !rule, state.fillColor,
            rule ? std::max(Twips(thickness), 1) : 0);
    }
}

}  // namespace

bool ConvertShapeToRtf(VectorShape& shape, const CRtfPage* page, ShapeIds& ids) {
    std::string& rtfText = shape.rtfText;
    rtfText.clear();
    shape.shapesWritten = 0;
    shape.pieceStarts.clear();
    shape.rulePieces.clear();
    if (!page || shape.psText.empty()) return false;
    const int pageHeight = page->Height() != 0 ? page->Height() : 792;

    std::string text = shape.psText.substr(0, shape.psText.size() - 1);
    size_t lastBreak = text.rfind('\n');
    const std::string paintOp = lastBreak == std::string::npos ? text : text.substr(lastBreak + 1);
    text = lastBreak == std::string::npos ? std::string() : text.substr(0, lastBreak);
    const bool isStroke = paintOp == "S";
    const bool isFill = paintOp.find('f') != std::string::npos;

    PaintState state;
    const std::string_view lines = text;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        if (end == std::string_view::npos) end = lines.size();
        const std::string_view line = lines.substr(start, end - start);
        size_t b = line.find_first_not_of(" \t\r"), e = line.find_last_not_of(" \t\r");
        if (b != std::string_view::npos) state.Read(line.substr(b, e - b + 1));
        start = end + 1;
    }
    // The width may follow the pattern, so the style is chosen once both are read.
    const int dashing = NearestLineDashing(state.dashPattern, state.pathLineWidth, state.roundOrSquareCaps);
    // A page scaled to fit takes its drawing along.
    if (page->contentScale != 1.0)
        for (double& m : state.matrix.m) m *= page->contentScale;

    std::string_view path = state.pathText;
    while (!path.empty()) {
        FreeformShape piece = BuildFreeform(path, state.matrix, pageHeight, paintOp);
        path = piece.next == 0 ? std::string_view() : path.substr(piece.next);
        // White even-odd fills are the knock-outs of producers that paint page backgrounds.
        if (state.fillColor == kWhite && paintOp == "f*") break;
        // A subpath without points has no shape to write.
        if (piece.Empty()) continue;
        shape.boxLeft = piece.box.left;
        shape.boxTop = piece.box.top;
        shape.boxRight = piece.box.right;
        shape.boxBottom = piece.box.bottom;
        AddRulePieces(shape, piece, state, isStroke, isFill, shape.shapesWritten);
        shape.pieceStarts.push_back(rtfText.size());
        const RtfRect& r = piece.twips;
        // One growth per shape instead of one per piece of it.
        rtfText.reserve(rtfText.size() + 1024 + piece.vertices.size() + piece.segments.size());
        RtfText rtf{rtfText};
        rtf << "\n{\\shp{\\*\\shpinst\\shpleft" << r.left << "\\shptop" << r.top << "\\shpright" << r.right
            << "\\shpbottom" << r.bottom << "\\shpfhdr0\\shpwr3\\shpwrk0\\shpfblwtxt1\\shplid" << ids.NextGraphic()
            << "\\shpz" << shape.drawingOrder << "\\shpbxpage\\shpbypage\n";
        rtf << "{\\sp{\\sn shapeType}{\\sv 0}}\n{\\sp{\\sn fFlipH}{\\sv 0}}\n{\\sp{\\sn fFlipV}{\\sv 0}}\n"
               "{\\sp{\\sn rotation}{\\sv 0}}\n{\\sp{\\sn geoRight}{\\sv "
            << r.right - r.left << "}}\n{\\sp{\\sn geoBottom}{\\sv " << r.bottom - r.top
            << "}}\n{\\sp{\\sn shapePath}{\\sv 4}}\n";
        rtf << "{\\sp{\\sn pVerticies}{\\sv " << piece.vertices << "}}\n{\\sp{\\sn pSegmentInfo}{\\sv " << piece.segments
            << "}}\n";
        rtf << "{\\sp{\\sn fFillOK}{\\sv 1}}\n{\\sp{\\sn fFilled}{\\sv " << (isFill ? 1 : 0) << "}}";
        if (isFill) rtf << "\n{\\sp{\\sn fillColor}{\\sv " << state.fillColor << "}}";
        if (isStroke)
            rtf << "\n{\\sp{\\sn lineWidth}{\\sv " << state.lineWidth << "}}\n{\\sp{\\sn lineColor}{\\sv "
                << state.lineColor << "}}\n{\\sp{\\sn lineDashing}{\\sv " << dashing << "}}";
        // A filled hairline rectangle is outlined in its own colour so that it stays visible.
        const int line = piece.thin ? 1 : (isStroke ? 1 : 0);
        const int lineColor = piece.thin ? state.fillColor : (isStroke ? state.lineColor : 0);
        rtf << "\n{\\sp{\\sn fLine}{\\sv " << line << "}}{\\sp{\\sn lineColor}{\\sv " << lineColor
            << "}}\n{\\sp{\\sn lineType}{\\sv 0}}\n{\\sp{\\sn fArrowheadsOK}{\\sv 0}}\n{\\sp{\\sn fBehindDocument}{\\sv 1}}\n"
               "{\\sp{\\sn fLayoutInCell}{\\sv 1}}}}";
        ++shape.shapesWritten;
    }
    return !rtfText.empty();
}
