#include "ui/WindowPage.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
constexpr int kBandHeight = 30;
}

WindowPage::WindowPage(const QString& title, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 8);
    title_ = new QLabel(title, this);
    title_->setObjectName("pageTitle");
    title_->setFixedHeight(kBandHeight - 2);
    layout->addWidget(title_);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);
}

QString WindowPage::Title() const { return title_->text(); }

void WindowPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(223, 233, 246));
    QPainterPath band;
    band.addRoundedRect(QRectF(4, 3, width() - 8, kBandHeight), 7, 7);
    QLinearGradient fill(0, 3, 0, 3 + kBandHeight);
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(200, 216, 238));
    painter.fillPath(band, fill);
    painter.setPen(QColor(150, 172, 204));
    painter.drawPath(band);
    painter.drawLine(8, kBandHeight + 7, width() - 8, kBandHeight + 7);
}
