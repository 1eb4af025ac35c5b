#include "ui/ResultDialogs.h"

#include <QDialogButtonBox>
#include <QDir>
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
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QStyle::StandardPixmap IconFor(const BatchSummary& summary) {
    if (summary.total > 0 && summary.converted == 0 && !summary.failures.empty())
        return QStyle::SP_MessageBoxCritical;
    if (!summary.failures.empty() || summary.cancelled) return QStyle::SP_MessageBoxWarning;
    return QStyle::SP_MessageBoxInformation;
}

// The icon, the bold heading and the summary below it.
QHBoxLayout* IconAndText(QWidget* parent, const BatchSummary& summary, const QString& heading, const QString& text) {
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(parent);
    icon->setObjectName("resultIcon");
    QStyle::StandardPixmap which = IconFor(summary);
    icon->setProperty("standardIcon", static_cast<int>(which));
    icon->setPixmap(parent->style()->standardIcon(which).pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    QLabel* title = TextLabel(heading, "resultHeading", parent);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addWidget(title);
    column->addWidget(TextLabel(text, "resultText", parent));
    row->addLayout(column, 1);
    return row;
}

QString Name(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

// The pictures in an image job's page folders, and the folder that holds them all.
int CountPictures(const BatchSummary& summary, QString& where) {
    int pictures = 0;
    QString common;
    for (const std::string& folder : summary.results) {
        QString f = QString::fromStdString(folder);
        pictures += static_cast<int>(QDir(f).entryList(QDir::Files).size());
        if (common.isEmpty()) {
            common = f;
            continue;
        }
        while (!common.isEmpty() && !(f == common || f.startsWith(common.endsWith('/') ? common : common + "/")))
            common = QFileInfo(common).path() == common ? QString() : QFileInfo(common).path();
    }
    if (!common.isEmpty()) where = common;
    return pictures;
}

}  // namespace

QString SummaryText(const BatchSummary& summary, const QStringList& notConverted) {
    using namespace ui::text;
    QString text = QString(kConvertedCount).arg(summary.converted).arg(summary.total);
    if (summary.skipped > 0) text += " " + QString(kSkippedCount).arg(summary.skipped);
    if (!summary.failures.empty()) text += " " + QString(kFailedCount).arg(summary.failures.size());
    if (!notConverted.isEmpty()) text += " " + QString(kNotConvertedCount).arg(notConverted.size());
    // Failures first, then skipped files, then what converted files lack: one line each, "<file name>: <what>".
    auto line = [&](const std::string& source, const QString& what) {
        text += "\n" + QString(kFailureLine).arg(Name(source), what);
    };
    for (const auto& [source, what] : summary.failures) line(source, QString::fromStdString(what));
    for (const auto& [source, why] : summary.skippedFiles)
        line(source, QString(kSkippedLine).arg(QString::fromStdString(why)));
    for (const auto& [source, what] : summary.notes) line(source, QString::fromStdString(what));
    for (const QString& source : notConverted) line(source.toStdString(), kNotConvertedLine);
    // After a cancel the user must tell which files are done.
    if (summary.cancelled)
        for (const std::string& source : summary.convertedFiles) line(source, kConvertedLine);
    return text;
}

QString SummaryHeading(const BatchSummary& summary, bool finishDialog) {
    using namespace ui::text;
    if (summary.cancelled) return kCancelledHeading;
    if (!summary.failures.empty())
        return summary.converted == 0 ? QString(kAllFailedHeading)
                                      : QString(kSomeFailedHeading).arg(summary.failures.size()).arg(summary.total);
    return finishDialog ? kCompletes : kComplete;
}

QString UnableToOpenText(const QUrl& url) {
    return QString(ui::text::kUnableToOpen).arg(url.isLocalFile() ? url.toLocalFile() : url.toString());
}

CompleteDialog::CompleteDialog(const BatchSummary& summary, QWidget* parent, const QStringList& notConverted)
    : QDialog(parent) {
    setObjectName("completeDialog");
    setWindowTitle(ui::text::kResultCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(IconAndText(this, summary, SummaryHeading(summary, false), SummaryText(summary, notConverted)));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

CompleteDialog::CompleteDialog(const BatchSummary& summary, const QString& outputFolder, QWidget* parent,
                           const QStringList& notConverted)
    : QDialog(parent) {
    using namespace ui::text;
    setObjectName("completeDialog");
    setWindowTitle(kResultCaption);
    QString where = outputFolder;
    int pictures = CountPictures(summary, where);
    QString text = (pictures == 1 ? QString(kOnePictureSaved) : QString(kPicturesSaved).arg(pictures)).arg(where) +
                   "\n" + SummaryText(summary, notConverted);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(IconAndText(this, summary, SummaryHeading(summary, false), text));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

FinishDialog::FinishDialog(const BatchSummary& summary, const QString& resultsFolder, UrlOpener open,
                       std::function<void(const QString&, const QString&)> message, QWidget* parent,
                       const QStringList& notConverted)
    : QDialog(parent), resultsFolder_(resultsFolder), open_(std::move(open)), message_(std::move(message)) {
    using namespace ui::text;
    setObjectName("finishDialog");
    setWindowTitle(kResultCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(IconAndText(this, summary, SummaryHeading(summary, true), SummaryText(summary, notConverted)));
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
    connect(openFile, &QPushButton::clicked, this, &FinishDialog::OpenFile);
    connect(openFolder, &QPushButton::clicked, this, &FinishDialog::OpenFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 340);
}

void FinishDialog::Open(const QUrl& url) {
    if (!open_ || !open_(url)) message_(ui::text::kError, UnableToOpenText(url));
}

void FinishDialog::OpenFile() {
    QListWidgetItem* item = list_->currentItem();
    if (!item) return message_(ui::text::kError, ui::text::kChooseFile);
    Open(QUrl::fromLocalFile(item->text()));
}

void FinishDialog::OpenFolder() {
    // The desktop has no portable "show this file" request: the folder opens.
    QListWidgetItem* item = list_->currentItem();
    if (!item && list_->count() > 0) item = list_->item(0);
    QString folder = item ? QFileInfo(item->text()).absolutePath() : resultsFolder_;
    Open(QUrl::fromLocalFile(folder));
}
