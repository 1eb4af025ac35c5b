#include "ui/ResultDialogs.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/UiTexts.h"

namespace {

QLabel* TextLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QHBoxLayout* IconAndText(QWidget* parent, const QString& text) {
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(parent);
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(TextLabel(text, "resultText", parent), 1);
    return row;
}

}  // namespace

QString SummaryText(const BatchSummary& summary) {
    QString text = QString(ui::text::kConvertedCount).arg(summary.converted).arg(summary.total);
    // Failures first, then what converted files lack: one line each, "<file name>: <what>".
    for (const auto* lines : {&summary.failures, &summary.notes})
        for (const auto& [source, what] : *lines)
            text += "\n" + QString(ui::text::kFailureLine).arg(QFileInfo(QString::fromStdString(source)).fileName(),
                                                               QString::fromStdString(what));
    return text;
}

CCompleteDlg::CCompleteDlg(const BatchSummary& summary, QWidget* parent) : QDialog(parent) {
    setObjectName("completeDialog");
    setWindowTitle(ui::text::kResultCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(IconAndText(this, QString(ui::text::kComplete) + "\n" + SummaryText(summary)));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

CFinishDlg::CFinishDlg(const BatchSummary& summary, const QString& resultsFolder,
                       std::function<void(const QUrl&)> open,
                       std::function<void(const QString&, const QString&)> message, QWidget* parent)
    : QDialog(parent), resultsFolder_(resultsFolder), open_(std::move(open)), message_(std::move(message)) {
    using namespace ui::text;
    setObjectName("finishDialog");
    setWindowTitle(kResultCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(IconAndText(this, QString(kCompletes) + "\n" + SummaryText(summary)));
    list_ = new QListWidget(this);
    list_->setObjectName("resultsList");
    for (const std::string& result : summary.results) list_->addItem(QString::fromStdString(result));
    if (list_->count() > 0) list_->setCurrentRow(0);
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    auto* openFile = new QPushButton(kOpenFile, this);
    auto* openFolder = new QPushButton(kOpenFolder, this);
    auto* close = new QPushButton(kCloseButton, this);
    openFile->setObjectName("openFile");
    openFolder->setObjectName("openFolder");
    close->setObjectName("closeFinish");
    buttons->addWidget(openFile);
    buttons->addWidget(openFolder);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(openFile, &QPushButton::clicked, this, &CFinishDlg::OpenFile);
    connect(openFolder, &QPushButton::clicked, this, &CFinishDlg::OpenFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(520, 320);
}

void CFinishDlg::OpenFile() {
    QListWidgetItem* item = list_->currentItem();
    if (!item) return message_(ui::text::kError, ui::text::kChooseFile);
    open_(QUrl::fromLocalFile(item->text()));
}

void CFinishDlg::OpenFolder() {
    // The desktop has no portable "show this file" request: the folder opens.
    QListWidgetItem* item = list_->currentItem();
    if (!item && list_->count() > 0) item = list_->item(0);
    QString folder = item ? QFileInfo(item->text()).absolutePath() : resultsFolder_;
    open_(QUrl::fromLocalFile(folder));
}
