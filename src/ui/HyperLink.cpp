#include "ui/HyperLink.h"

#include <QMouseEvent>

HyperLink::HyperLink(const QString& text, const QUrl& url, std::function<void(const QUrl&)> open, QWidget* parent)
    : QLabel(text, parent), url_(url), open_(std::move(open)) {
    setObjectName("hyperlink");
    setCursor(Qt::PointingHandCursor);
    setStyleSheet("color: #0b5fc4; text-decoration: underline;");
}

void HyperLink::Open() {
    if (open_) open_(url_);  // the opener tells the user when the link leads nowhere
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Open();
}
