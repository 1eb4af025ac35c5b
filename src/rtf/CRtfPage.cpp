#include "rtf/CRtfPage.h"

#include "rtf/CRtfDocument.h"
#include "rtf/RecordedGraphics.h"

CRtfPage::CRtfPage(CRtfDocument* doc, int n) : number(n), document(doc) {}

CRtfPage::~CRtfPage() = default;

void CRtfPage::SetHeight(int h) { rect.bottom = std::min(rect.top + h, kMaxPageCoordinate); }

void CRtfPage::SetWidth(int w) { rect.right = std::min(rect.left + w, kMaxPageCoordinate); }

void CRtfPage::SetRotation(int r) { rotation = (r == 90 || r == 180 || r == 270) ? r : 0; }

int CRtfPage::CapMargin(long long value) {
    unsigned long long u = static_cast<unsigned>(value);
    return static_cast<int>(u > kMaxMargin ? kMaxMargin : u);
}
