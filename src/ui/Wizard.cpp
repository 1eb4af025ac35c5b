#include "ui/Wizard.h"

#include <QHBoxLayout>
#include <algorithm>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/UiTexts.h"

namespace {

// The picture at the wizard's side: a page turning into a document, drawn here
// so that the program ships no pictures of anyone else's.
class SidePicture : public QWidget {
public:
    SidePicture(const Wizard& wizard, QWidget* parent) : QWidget(parent), wizard_(wizard) { setFixedWidth(150); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient back(0, 0, 0, height());
        back.setColorAt(0, QColor("#1d5fae"));
        back.setColorAt(1, QColor("#0b3a73"));
        p.fillRect(rect(), back);
        QRectF sheet(30, 40, 70, 92);
        p.setPen(QPen(QColor("#c9d4e2"), 1.5));
        p.setBrush(QColor("#ffffff"));
        p.drawRoundedRect(sheet, 4, 4);
        p.setPen(QPen(QColor("#9fb0c6"), 3));
        for (int i = 0; i < 6; ++i) p.drawLine(QPointF(40, 56 + i * 11), QPointF(i % 3 == 2 ? 72 : 90, 56 + i * 11));
        p.setPen(QPen(QColor("#ffd25a"), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(84, 146), QPointF(118, 146));
        p.drawLine(QPointF(108, 136), QPointF(118, 146));
        p.drawLine(QPointF(108, 156), QPointF(118, 146));
        p.setPen(Qt::white);
        QFont f = font();
        f.setPointSize(11);
        f.setBold(true);
        p.setFont(f);
        int step = wizard_.CurrentStep(), last = wizard_.LastStep();
        for (int i = 1; i <= last; ++i) {
            QRectF dot(20 + (i - 1) * 24, height() - 44, 18, 18);
            p.setBrush(i == step ? QColor("#ffd25a") : QColor(255, 255, 255, 60));
            p.setPen(Qt::NoPen);
            p.drawEllipse(dot);
        }
    }

private:
    const Wizard& wizard_;
};

QPushButton* FrameButton(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

Wizard::Wizard(QWidget* parent) : QWidget(parent) {
    using namespace ui::text;
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    picture_ = new SidePicture(*this, this);
    layout->addWidget(picture_);
    auto* right = new QVBoxLayout;
    stack_ = new QStackedWidget(this);
    right->addWidget(stack_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 6, 8, 8);
    cancel_ = FrameButton(kCancel, "wizardCancel", this);
    back_ = FrameButton(kBack, "wizardBack", this);
    next_ = FrameButton(kNext, "wizardNext", this);
    last_ = FrameButton(kLast, "wizardLast", this);
    finish_ = FrameButton(kFinish, "wizardFinish", this);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    for (QPushButton* b : {back_, next_, last_, finish_}) buttons->addWidget(b);
    right->addLayout(buttons);
    layout->addLayout(right, 1);
    connect(cancel_, &QPushButton::clicked, this, &Wizard::Cancel);
    connect(back_, &QPushButton::clicked, this, &Wizard::Back);
    connect(next_, &QPushButton::clicked, this, &Wizard::Next);
    connect(last_, &QPushButton::clicked, this, &Wizard::Last);
    connect(finish_, &QPushButton::clicked, this, &Wizard::Finish);
}

void Wizard::AddStep(WindowPage* step) {
    steps_.push_back(step);
    stack_->addWidget(step);
}

void Wizard::Open() {
    current_ = 0;
    ShowStep(1);
}

void Wizard::ShowStep(int k) {
    if (steps_.empty()) return;
    k = std::clamp(k, 1, LastStep());
    if (current_ >= 1 && current_ != k) Step(current_)->Store();
    current_ = k;
    stack_->setCurrentWidget(Step(k));
    Step(k)->Load();
    const bool last = k == LastStep();
    next_->setVisible(!last);
    last_->setVisible(!last);
    finish_->setVisible(last);
    picture_->update();
}

bool Wizard::LeaveForward() { return current_ >= 1 && Step(current_)->CanGoOn(); }

void Wizard::Next() {
    if (LeaveForward()) ShowStep(current_ + 1);
}

void Wizard::Last() {
    // The steps in between are not shown, so they change nothing.
    if (LeaveForward()) ShowStep(LastStep());
}

void Wizard::Back() {
    if (current_ <= 1) return Cancel();
    ShowStep(current_ - 1);
}

void Wizard::Cancel() {
    if (current_ >= 1) Step(current_)->Store();
    current_ = 0;
    emit cancelled();
}

void Wizard::Finish() {
    if (current_ != LastStep()) return;
    emit started();
}
