// Link annotations into the page's link list, in device units.
#include <Annot.h>
#include <Link.h>

#include "extract/HtmlLinkTarget.h"
#include "extract/HtmlOutputDev.h"

void HtmlOutputDev::drawLink(AnnotLink* link, Catalog* catalog) {
    if (!link) return;
    double x1, y1, x2, y2;
    link->getRect(&x1, &y1, &x2, &y2);
    int dx1, dy1, dx2, dy2;
    cvtUserToDev(x1, y1, &dx1, &dy1);
    cvtUserToDev(x2, y2, &dx2, &dy2);
    page->addLink(HtmlLink(dx1, dy2, dx2, dy1, LinkTargetText(link->getAction(), catalog, docName)));
}
