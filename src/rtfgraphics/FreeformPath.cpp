// Cutting a recorded path into subpaths and each into a freeform's vertex and segment lists.
#include "rtfgraphics/FreeformPath.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "rtf/RtfUnits.h"

namespace {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Path command values of the Office drawing format. The escape before each
// segment is what word processors write into freeforms of their own.
constexpr const char* kSegmentEscape = "45824;";
constexpr const char* kLineTo = "1;";
constexpr const char* kClose = "24577;";
constexpr const char* kEnd = "32768";
// Curves become this many straight pieces, whatever their size.
constexpr int kCurvePieces = 20;
// A rectangle thinner than this (XML units) is outlined so that it stays visible.
constexpr double kThinRectangle = 2;

int Round(double v) { return TruncatedInt(v + 0.5); }

std::string_view Trim(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

void SplitLine(std::string_view line, std::string_view& op, std::vector<double>& operands) {
    size_t blank = line.find_last_of(" \t");
    op = blank == std::string_view::npos ? line : line.substr(blank + 1);
    operands.clear();
    if (blank != std::string_view::npos) operands = ReadNumbers(line.substr(0, blank));
}

void AppendInt(std::string& out, long long v) {
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

struct Bounds {
    double left, top, right, bottom;
};

template <typename Points>
Bounds BoundsOf(const Points& points) {
    Bounds b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
        b.left = std::min(b.left, p.x);
        b.right = std::max(b.right, p.x);
        b.top = std::min(b.top, p.y);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

class Builder {
public:
    Builder(const PathMatrix& matrix, int pageHeight) : m_(matrix.m), rotation_(matrix.rotation), h_(pageHeight) {}

    Point Transform(double x, double y) const {
        return {m_[0] * x + m_[2] * y + m_[4], h_ - (m_[1] * x + m_[3] * y + m_[5])};
    }

    void Points(std::string_view op, const std::vector<double>& operands) {
        std::vector<Point> points;
        const size_t wanted = op == "c" ? 6 : 2;
        for (size_t i = 0; i < wanted; i += 2) {
            double x = i < operands.size() ? operands[i] : 0;
            double y = i + 1 < operands.size() ? operands[i + 1] : 0;
            points.push_back(Transform(x, y));
        }
        if (op == "c") curved = true;
        if (op == "c" && !vertices.empty()) {
            points.insert(points.begin(), vertices.back());
            points = Bezier(points);
        }
        vertices.insert(vertices.end(), points.begin(), points.end());
    }

    void Rectangle(std::vector<double> operands, bool& thin) {
        operands.resize(4, 0);
        double x = operands[0], y = operands[1], w = operands[2], h = operands[3];
        if (w < 0) {
            x -= std::fabs(w);
            w = std::fabs(w);
        }
        if (h < 0) {
            y -= std::fabs(h);
            h = std::fabs(h);
        }
        const double xl = m_[0] * x + m_[2] * y + m_[4];
        if (rotation_ == 0 && m_[1] == 0 && m_[2] == 0) {
            const double q = std::fabs(m_[1]) * x + m_[3] * y + m_[5];
            const double width = m_[0] * w;
            const double height = std::fabs(m_[3]) * h;
            // A mirrored matrix gives a negative width: thinness is a matter of size.
            thin = Thin(std::fabs(width)) || Thin(height);
            Outline(xl, m_[3] < 0 ? h_ - q : h_ - q - height, width, height);
        } else if (rotation_ == 90 && m_[1] <= 0) {
            const double q = m_[1] * x + m_[3] * y + m_[5];
            const double width = std::fabs(m_[2]) * h;
            const double height = std::fabs(m_[1]) * w;
            thin = (height >= 0 && height <= kThinRectangle) || (width >= 0 && width <= kThinRectangle);
            Outline(xl, h_ - q, width, height);
        } else {
            Corners(x, y, w, h, thin);
        }
    }

    // Closes the polyline back to its start; the start is written twice.
    void Close() {
        if (vertices.empty() || vertices.back() == vertices.front()) return;
        Point first = vertices.front();
        vertices.push_back(first);
        vertices.push_back(first);
    }

    std::vector<Point> vertices;
    bool curved = false;

private:
    static bool Thin(double size) { return size != 0 && size < kThinRectangle; }

    void Outline(double left, double top, double width, double height) {
        vertices.insert(vertices.end(), {{left, top}, {left, top + height}, {left + width, top + height},
                                         {left + width, top}, {left, top}});
    }

    // Matrices that turn the page by other than a quarter one way, or that
    // mirror it: the rectangle's own corners, transformed, are its outline.
    void Corners(double x, double y, double w, double h, bool& thin) {
        const Point c[4] = {Transform(x, y), Transform(x, y + h), Transform(x + w, y + h), Transform(x + w, y)};
        const double side = std::hypot(m_[0] * w, m_[1] * w);
        const double upright = std::hypot(m_[2] * h, m_[3] * h);
        thin = Thin(side) || Thin(upright);
        const bool axisAligned = (c[0].x == c[1].x || c[0].y == c[1].y);
        if (!axisAligned) {
            vertices.insert(vertices.end(), {c[0], c[1], c[2], c[3], c[0]});
            return;
        }
        const Bounds b = BoundsOf(c);
        Outline(b.left, b.top, b.right - b.left, b.bottom - b.top);
    }

    static std::vector<Point> Bezier(const std::vector<Point>& p) {
        if (p.size() <= 3) return p;
        std::vector<Point> out;
        for (int i = 1; i <= kCurvePieces; ++i) {
            const double t = i * (1.0 / kCurvePieces), u = 1 - t;
            const double a = u * u * u, b = 3 * t * u * u, c = 3 * t * t * u, d = t * t * t;
            out.push_back({a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x,
                           a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y});
        }
        return out;
    }

    const double* m_;
    int rotation_;
    double h_;
};

// Points this close (XML units) count as lying on one horizontal or vertical.
constexpr double kAxisSlack = 0.05;

// The straight pieces of a polyline when all of them run along the axes.
std::vector<AxisEdge> AxisEdgesOf(const std::vector<Point>& v) {
    std::vector<AxisEdge> edges;
    for (size_t i = 1; i < v.size(); ++i) {
        const Point a = v[i - 1], b = v[i];
        const bool level = std::fabs(a.y - b.y) <= kAxisSlack, upright = std::fabs(a.x - b.x) <= kAxisSlack;
        if (level && upright) continue;
        if (!level && !upright) return {};
        if (level) edges.push_back({std::min(a.x, b.x), a.y, std::max(a.x, b.x), a.y});
        else edges.push_back({a.x, std::min(a.y, b.y), a.x, std::max(a.y, b.y)});
    }
    return edges;
}

// Every vertex on a corner of the bounds: an upright rectangle, however it was drawn.
bool OnCorners(const std::vector<Point>& v, const Bounds& b) {
    auto near = [](double p, double q) { return std::fabs(p - q) <= kAxisSlack; };
    return std::all_of(v.begin(), v.end(), [&](const Point& p) {
        return (near(p.x, b.left) || near(p.x, b.right)) && (near(p.y, b.top) || near(p.y, b.bottom));
    });
}

std::string SegmentText(size_t n, bool closed) {
    std::string list;
    for (size_t i = 1; i < n; ++i) list += std::string(kSegmentEscape) + kLineTo;
    list += kSegmentEscape;
    if (closed) list += kClose;
    list += kEnd;
    std::string head = "2;";
    AppendInt(head, static_cast<long long>(2 * n + 1 + (closed ? 1 : 0)));
    return head + ";16384;" + list;
}

}  // namespace

int TruncatedInt(double v) {
    constexpr double kLimit = 1e9;
    if (!(v > -kLimit)) return v != v ? 0 : static_cast<int>(-kLimit);
    if (!(v < kLimit)) return static_cast<int>(kLimit);
    return static_cast<int>(v);
}

std::vector<double> ReadNumbers(std::string_view text, size_t most) {
    std::vector<double> out;
    size_t p = 0;
    char word[64];
    while (out.size() < most) {
        size_t b = text.find_first_not_of(" \t", p);
        if (b == std::string_view::npos) break;
        size_t e = text.find_first_of(" \t", b);
        if (e == std::string_view::npos) e = text.size();
        const std::string_view token = text.substr(b, e - b);
        if (token.size() < sizeof word) {
            token.copy(word, token.size());
            word[token.size()] = '\0';
            out.push_back(std::atof(word));
        } else {
            out.push_back(std::atof(std::string(token).c_str()));
        }
        p = e;
    }
    return out;
}

FreeformShape BuildFreeform(std::string_view pathText, const PathMatrix& matrix, int pageHeight,
                            const std::string& paintOp) {
    FreeformShape shape;
    Builder builder(matrix, pageHeight);
    const bool stroke = paintOp == "S";
    bool afterClose = false;
    std::string_view op;
    std::vector<double> operands;
    const std::string_view text = pathText;
    size_t start = 0;
    while (start < pathText.size()) {
        size_t end = pathText.find('\n', start);
        const size_t following = end == std::string::npos ? pathText.size() : end + 1;
        SplitLine(Trim(text.substr(start, following - start)), op, operands);
        if (op == "m" && !builder.vertices.empty() && !afterClose) {
            shape.next = start;
            break;
        }
        if (op == "m" || op == "l" || op == "c") {
            builder.Points(op, operands);
            afterClose = false;
        } else if (op == "re") {
            builder.Rectangle(operands, shape.thin);
            afterClose = false;
        } else if (op == "h") {
            builder.Close();
            afterClose = true;
            if (stroke) {
                shape.next = following < pathText.size() ? following : 0;
                break;
            }
        }
        start = following;
    }

    // A stroked subpath stays open unless the path closed it: an open "L" is no triangle.
    const std::vector<Point>& v = builder.vertices;
    if (v.empty()) return shape;
    const bool closed = v.front() == v.back();
    shape.segments = SegmentText(v.size(), closed);
    const Bounds b = BoundsOf(v);
    if (!builder.curved) {
        shape.axisEdges = AxisEdgesOf(v);
        shape.rectangle = !shape.axisEdges.empty() && v.size() >= 4 && OnCorners(v, b);
    }
    shape.extentLeft = b.left;
    shape.extentTop = b.top;
    shape.extentRight = b.right;
    shape.extentBottom = b.bottom;
    const double minX = b.left, minY = b.top;
    shape.vertices = "8;";
    AppendInt(shape.vertices, static_cast<long long>(v.size()));
    shape.vertices += ';';
    for (const Point& p : v) {
        shape.vertices += '(';
        AppendInt(shape.vertices, ToTwips(Round(p.x - minX)));
        shape.vertices += ',';
        AppendInt(shape.vertices, ToTwips(Round(p.y - minY)));
        shape.vertices += ");";
    }
    shape.box = {Round(b.left), Round(b.top), Round(b.right), Round(b.bottom)};
    shape.twips = {ToTwips(shape.box.left), ToTwips(shape.box.top), ToTwips(shape.box.right),
                   ToTwips(shape.box.bottom)};
    return shape;
}
