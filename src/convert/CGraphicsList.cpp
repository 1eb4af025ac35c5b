#include "convert/CGraphicsList.h"

CGraphicsList& CGraphicsList::Process() {
    static CGraphicsList list;
    return list;
}
