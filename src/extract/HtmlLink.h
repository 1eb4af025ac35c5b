#pragma once
// The link annotations of one page, in device units, with their target texts.
#include <optional>
#include <string>
#include <vector>

#include "extract/LinkMarkers.h"

class HtmlLink {
public:
    // The corners may come in any order; the rectangle is normalised. The target
    // is kept as SafeLinkTarget makes it.
    HtmlLink(double x1, double y1, double x2, double y2, std::string target);

    double getX1() const { return xMin; }
    double getY1() const { return yMin; }
    double getX2() const { return xMax; }
    double getY2() const { return yMax; }
    const std::string& getTarget() const { return target; }

    // Whether the link covers a run's box: the run's vertical middle lies inside
    // (top exclusive, bottom inclusive) and the two overlap horizontally.
    bool covers(double runXMin, double runYMin, double runXMax, double runYMax) const;

private:
    double xMin, yMin, xMax, yMax;
    std::string target;
};

class HtmlLinkList {
public:
    void add(HtmlLink link) { links.push_back(std::move(link)); }
    // The first link in list order that covers the box.
    std::optional<size_t> findRun(double xMin, double yMin, double xMax, double yMax) const;
    const HtmlLink& get(size_t index) const { return links[index]; }
    size_t size() const { return links.size(); }

private:
    std::vector<HtmlLink> links;
};

// A target as it may stand between the markers: on one line, and without the
// marker texts themselves, which would end the region early or open a second one.
std::string SafeLinkTarget(std::string target);
