#include "ui/ProgressPage.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/UiTexts.h"

namespace {

// While the word processor still has results to write, the bar stops short of full.
constexpr int kDocBatchShare = 90;

QString FileName(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

ProgressPage::ProgressPage(QWidget* parent) : WindowPage(ui::text::kProgressTitle, parent) {
    using namespace ui::text;
    setObjectName("progressPage");
    QVBoxLayout* layout = Body();
    status_ = new QLabel(this);
    status_->setObjectName("statusLine");
    status_->setTextFormat(Qt::PlainText);
    status_->setMinimumWidth(100);
    layout->addWidget(status_);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("progressBar");
    bar_->setRange(0, 100);
    layout->addWidget(bar_);
    layout->addWidget(new QLabel(kGeneral, this));
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName("progressTable");
    table_->setHorizontalHeaderLabels({kColumnFileName, kColumnDestination, kColumnStatus, kColumnDetails});
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Interactive);
    header->setSectionResizeMode(1, QHeaderView::Interactive);
    header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    table_->setColumnWidth(0, 170);
    table_->setColumnWidth(1, 200);
    table_->setTextElideMode(Qt::ElideLeft);  // the ends of paths tell files apart
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
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
    connect(cancel_, &QPushButton::clicked, this, &ProgressPage::cancelClicked);
    Reset();
}

void ProgressPage::Reset(const QString& officeFormat) {
    officeFormat_ = officeFormat;
    current_.clear();
    table_->setRowCount(0);
    status_->clear();
    bar_->setValue(0);
    bar_->setFormat("%p%");
    cancel_->setEnabled(true);
}

void ProgressPage::Progress(int32_t percent) {
    // The driver reports past 100 on the last page of a range.
    int value = std::clamp(percent, 0, 100);
    QMetaObject::invokeMethod(
        this,
        [this, value] {
            // A DOC batch is done only when the word processor has written the last result (ShowEnded).
            bar_->setValue(officeFormat_.isEmpty() ? value : value * kDocBatchShare / 100);
        },
        Qt::QueuedConnection);
}

void ProgressPage::Log(const std::string& line) {
    QString text = QString::fromStdString(line);
    QMetaObject::invokeMethod(this, [this, text] { ShowLine(current_, text); }, Qt::QueuedConnection);
}

void ProgressPage::FileLog(const std::string& source, const std::string& line) {
    QString s = QString::fromStdString(source), text = QString::fromStdString(line);
    QMetaObject::invokeMethod(this, [this, s, text] { ShowLine(s, text); }, Qt::QueuedConnection);
}

void ProgressPage::ShowLine(const QString& source, const QString& line) {
    status_->setText(source.isEmpty() ? line : FileName(source) + ": " + line);
}

void ProgressPage::FileStarted(const std::string& source, const std::string& destination) {
    QString s = QString::fromStdString(source), d = QString::fromStdString(destination);
    QMetaObject::invokeMethod(
        this,
        [this, s, d] {
            int r = Row(s, true);
            table_->item(r, 1)->setText(d);
            table_->item(r, 1)->setToolTip(d);
            table_->item(r, 2)->setText(ui::text::kConverting);
            current_ = s;
        },
        Qt::QueuedConnection);
}

void ProgressPage::FileSaving(const std::string& source) {
    QString s = QString::fromStdString(source);
    QMetaObject::invokeMethod(
        this,
        [this, s] {
            QString saving = SavingText();
            SetStatus(s, saving);
            ShowLine(s, saving);
            UpdateBarText();
        },
        Qt::QueuedConnection);
}

void ProgressPage::FileFinished(const std::string& source, const std::string&) {
    QString s = QString::fromStdString(source);
    QMetaObject::invokeMethod(
        this,
        [this, s] {
            SetStatus(s, ui::text::kSuccess);
            if (current_ == s) current_.clear();
            UpdateBarText();
        },
        Qt::QueuedConnection);
}

QString ProgressPage::SavingText() const {
    return QString(ui::text::kSavingAs).arg((officeFormat_.isEmpty() ? QString("doc") : officeFormat_).toUpper());
}

// While the word processor writes a result the bar says so: it may stand still for minutes.
void ProgressPage::UpdateBarText() {
    QString saving = SavingText();
    bool any = false;
    for (int r = 0; r < table_->rowCount() && !any; ++r) any = table_->item(r, 2)->text() == saving;
    bar_->setFormat(any ? "%p% - " + saving : "%p%");
}

void ProgressPage::MarkBegins(const QString& source) {
    int r = Row(source, true);
    if (table_->item(r, 2)->text().isEmpty()) table_->item(r, 2)->setText(ui::text::kConverting);
    current_ = source;
}

void ProgressPage::MarkFailed(const QString& source, const QString& reason) {
    SetStatus(source, ui::text::kFailed, reason);
    if (current_ == source) current_.clear();
    UpdateBarText();
}

void ProgressPage::MarkNote(const QString& source, const QString& note) {
    int r = Row(source, true);
    QTableWidgetItem* details = table_->item(r, kDetailsColumn);
    details->setText(details->text().isEmpty() ? note : details->text() + "; " + note);
    for (int c = 0; c < table_->columnCount(); ++c) {
        QString tip = table_->item(r, c)->toolTip();
        table_->item(r, c)->setToolTip(tip.isEmpty() || c == 1 ? note : tip + "\n" + note);
    }
}

void ProgressPage::MarkSkipped(const QString& source, const QString& reason) {
    SetStatus(source, ui::text::kSkipped, reason);
    if (current_ == source) current_.clear();
}

void ProgressPage::ShowCancelling() {
    status_->setText(ui::text::kCancelling);
    cancel_->setEnabled(false);
}

void ProgressPage::ShowEnded(bool cancelled) {
    cancel_->setEnabled(false);
    current_.clear();
    bar_->setFormat("%p%");
    if (!cancelled) {
        bar_->setValue(100);
        return;
    }
    status_->setText(ui::text::kCancelled);
    for (int r = 0; r < table_->rowCount(); ++r) {
        QTableWidgetItem* status = table_->item(r, 2);
        if (status->text() != ui::text::kSuccess && status->text() != ui::text::kFailed &&
            status->text() != ui::text::kSkipped)
            status->setText(ui::text::kCancelled);
    }
}

int ProgressPage::Row(const QString& source, bool create) {
    for (int r = 0; r < table_->rowCount(); ++r)
        if (table_->item(r, 0)->data(Qt::UserRole).toString() == source) return r;
    if (!create) return -1;
    int r = table_->rowCount();
    table_->insertRow(r);
    auto* name = new QTableWidgetItem(source);
    name->setData(Qt::UserRole, source);
    name->setToolTip(source);
    table_->setItem(r, 0, name);
    for (int c = 1; c < table_->columnCount(); ++c) table_->setItem(r, c, new QTableWidgetItem);
    table_->scrollToItem(name);
    return r;
}

void ProgressPage::SetStatus(const QString& source, const QString& status, const QString& details) {
    // A file that failed before its job started has no row yet.
    int r = Row(source, true);
    table_->item(r, 2)->setText(status);
    if (!details.isEmpty()) {
        table_->item(r, kDetailsColumn)->setText(details);
        table_->item(r, kDetailsColumn)->setToolTip(details);
        table_->item(r, 0)->setToolTip(source + "\n" + details);
    }
}
