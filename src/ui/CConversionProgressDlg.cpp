#include "ui/CConversionProgressDlg.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/UiTexts.h"

CConversionProgressDlg::CConversionProgressDlg(QWidget* parent) : CStepDlg(ui::text::kProgressTitle, parent) {
    using namespace ui::text;
    setObjectName("progressPage");
    QVBoxLayout* layout = Body();
    status_ = new QLabel(this);
    status_->setObjectName("statusLine");
    layout->addWidget(status_);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("progressBar");
    bar_->setRange(0, 100);
    layout->addWidget(bar_);
    layout->addWidget(new QLabel(kGeneral, this));
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName("progressTable");
    table_->setHorizontalHeaderLabels({kColumnFileName, kColumnDestination, kColumnStatus});
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setColumnWidth(2, 90);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setShowGrid(true);
    layout->addWidget(table_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cancel_ = new QPushButton(kCancel, this);
    cancel_->setObjectName("cancelBatch");
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &CConversionProgressDlg::cancelClicked);
    Reset();
}

void CConversionProgressDlg::Reset() {
    table_->setRowCount(0);
    status_->clear();
    bar_->setValue(0);
    cancel_->setEnabled(true);
}

void CConversionProgressDlg::Progress(int32_t percent) {
    // The driver reports past 100 on the last page of a range.
    int value = std::clamp(percent, 0, 100);
    QMetaObject::invokeMethod(this, [this, value] { bar_->setValue(value); }, Qt::QueuedConnection);
}

void CConversionProgressDlg::Log(const std::string& line) {
    QString text = QString::fromStdString(line);
    QMetaObject::invokeMethod(this, [this, text] { status_->setText(text); }, Qt::QueuedConnection);
}

void CConversionProgressDlg::FileStarted(const std::string& source, const std::string& destination) {
    QString s = QString::fromStdString(source), d = QString::fromStdString(destination);
    QMetaObject::invokeMethod(
        this,
        [this, s, d] {
            int r = table_->rowCount();
            table_->insertRow(r);
            table_->setItem(r, 0, new QTableWidgetItem(s));
            table_->setItem(r, 1, new QTableWidgetItem(d));
            table_->setItem(r, 2, new QTableWidgetItem(ui::text::kConverting));
        },
        Qt::QueuedConnection);
}

void CConversionProgressDlg::FileFinished(const std::string& source, const std::string&) {
    QString s = QString::fromStdString(source);
    QMetaObject::invokeMethod(this, [this, s] { SetStatus(s, ui::text::kSuccess); }, Qt::QueuedConnection);
}

void CConversionProgressDlg::MarkFailed(const QString& source, const QString& reason) {
    SetStatus(source, ui::text::kFailed, reason);
}

void CConversionProgressDlg::MarkNote(const QString& source, const QString& note) {
    for (int r = 0; r < table_->rowCount(); ++r) {
        if (table_->item(r, 0)->text() != source) continue;
        for (int c = 0; c < 3; ++c) {
            QString tip = table_->item(r, c)->toolTip();
            table_->item(r, c)->setToolTip(tip.isEmpty() ? note : tip + "\n" + note);
        }
    }
}

void CConversionProgressDlg::MarkSkipped(const QString& source) { SetStatus(source, ui::text::kSkipped); }

void CConversionProgressDlg::ShowCancelling() {
    status_->setText(ui::text::kCancelling);
    cancel_->setEnabled(false);
}

void CConversionProgressDlg::SetStatus(const QString& source, const QString& status, const QString& tip) {
    bool found = false;
    for (int r = 0; r < table_->rowCount(); ++r) {
        if (table_->item(r, 0)->text() != source) continue;
        found = true;
        table_->item(r, 2)->setText(status);
        for (int c = 0; c < 3 && !tip.isEmpty(); ++c) table_->item(r, c)->setToolTip(tip);
    }
    // A file that failed before its job started has no row yet.
    if (!found) {
        int r = table_->rowCount();
        table_->insertRow(r);
        table_->setItem(r, 0, new QTableWidgetItem(source));
        table_->setItem(r, 1, new QTableWidgetItem(tip));
        table_->setItem(r, 2, new QTableWidgetItem(status));
    }
}
