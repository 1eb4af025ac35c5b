#include "extract/HtmlLinkTarget.h"

#include <Catalog.h>
#include <Link.h>
#include <goo/GooString.h>

namespace {

std::string LastPathComponent(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GoToTarget(const LinkGoTo& go, Catalog* catalog, const std::string& docName) {
    std::unique_ptr<LinkDest> named;
    const LinkDest* dest = go.getDest();
    if (!dest && go.getNamedDest() && catalog) {
        named = catalog->findDest(go.getNamedDest());
        dest = named.get();
    }
    if (!dest) return {};
    int page = 0;
    if (dest->isPageRef()) {
        if (catalog) page = catalog->findPage(dest->getPageRef());
    } else {
        page = dest->getPageNum();
    }
    return LastPathComponent(docName) + ".xml#" + std::to_string(page);
}

}  // namespace

std::string LinkTargetText(const LinkAction* action, Catalog* catalog, const std::string& docName) {
    if (!action) return {};
    switch (action->getKind()) {
        case actionGoTo:
            return GoToTarget(*static_cast<const LinkGoTo*>(action), catalog, docName);
        case actionGoToR: {
            const GooString* file = static_cast<const LinkGoToR*>(action)->getFileName();
            return file ? file->toStr() : std::string();
        }
        case actionURI:
            return static_cast<const LinkURI*>(action)->getURI();
        default:
            return {};
    }
}
