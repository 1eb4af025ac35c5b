#include "extract/HtmlLink.h"

#include <algorithm>

#include "extract/XmlValueFormat.h"

HtmlLink::HtmlLink(double x1, double y1, double x2, double y2, std::string linkTarget)
    : xMin(std::min(x1, x2)),
      yMin(std::min(y1, y2)),
      xMax(std::max(x1, x2)),
      yMax(std::max(y1, y2)),
      target(SafeLinkTarget(std::move(linkTarget))) {}

bool HtmlLink::covers(double runXMin, double runYMin, double runXMax, double runYMax) const {
    double y = (runYMin + runYMax) / 2;
    return y <= yMax && y > yMin && runXMin < xMax && runXMax > xMin;
}

std::optional<size_t> HtmlLinkList::findRun(double xMin, double yMin, double xMax, double yMax) const {
    for (size_t i = 0; i < links.size(); ++i)
        if (links[i].covers(xMin, yMin, xMax, yMax)) return i;
    return std::nullopt;
}

std::string SafeLinkTarget(std::string target) {
    target = xmlvalue::OneLine(std::move(target));
    // Removing one marker can bring the pieces of another together, so repeat
    // until none is left.
    for (bool removed = true; removed;) {
        removed = false;
        for (std::string_view marker : {kLinkEnd, kLinkStart, kLinkMiddle}) {
            for (size_t at; (at = target.find(marker)) != std::string::npos;) {
                target.erase(at, marker.size());
                removed = true;
            }
        }
    }
    return target;
}
