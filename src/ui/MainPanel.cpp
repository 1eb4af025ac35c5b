#include "ui/MainPanel.h"

#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "platform/Process.h"
#include "ui/UiTexts.h"

namespace {

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

bool IsPdfName(const QString& path) { return path.endsWith(".pdf", Qt::CaseInsensitive); }

}  // namespace

QString FormatByteSize(qint64 bytes) {
    QString digits = QString::number(bytes);
    for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, ',');
    return digits + ui::text::kByteSuffix;
}

MainPanel::MainPanel(ui::UiPrompts& prompts, QWidget* parent)
    : WindowPage(ui::text::kPanelTitle, parent), prompts_(prompts) {
    using namespace ui::text;
    setObjectName("mainPanel");
    setAcceptDrops(true);
    QVBoxLayout* layout = Body();
    auto* hint = new QLabel(kPanelHint, this);
    hint->setObjectName("pageHint");
    layout->addWidget(hint);

    auto* files = new QHBoxLayout;
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName("fileTable");
    table_->setHorizontalHeaderLabels({kColumnPath, kColumnSize, kColumnPages});
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    table_->setTextElideMode(Qt::ElideLeft);  // the ends of paths tell files apart
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAcceptDrops(false);  // drops land on the panel
    files->addWidget(table_, 1);
    auto* fileButtons = new QVBoxLayout;
    QPushButton* add = Button(kAddFiles, "addFiles", this);
    QPushButton* remove = Button(kRemove, "remove", this);
    QPushButton* removeAll = Button(kRemoveAll, "removeAll", this);
    for (QPushButton* b : {add, remove, removeAll}) fileButtons->addWidget(b);
    fileButtons->addStretch();
    files->addLayout(fileButtons);
    layout->addLayout(files, 1);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(kSaveTo, this));
    folder_ = new QLineEdit(this);
    folder_->setObjectName("outputFolder");
    folder_->setPlaceholderText(kSaveToHint);
    folder_->setToolTip(kSaveToHint);
    folderRow->addWidget(folder_, 1);
    QPushButton* browse = Button(kBrowse, "browse", this);
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);

    auto* choices = new QHBoxLayout;
    auto* range = new QGroupBox(kPageRange, this);
    auto* rangeLayout = new QGridLayout(range);
    allPages_ = new QRadioButton(kAllPages, range);
    pageNumbers_ = new QRadioButton(kPageNumbers, range);
    pageText_ = new QLineEdit(range);
    pageText_->setObjectName("pageText");
    pageText_->setPlaceholderText("1,3,7,10-15");
    // The page field stands below its choice: the format box beside needs the width.
    rangeLayout->addWidget(allPages_, 0, 0);
    rangeLayout->addWidget(pageNumbers_, 1, 0);
    rangeLayout->addWidget(pageText_, 2, 0);
    rangeLayout->setVerticalSpacing(2);
    pageText_->setMinimumWidth(130);
    auto* format = new QGroupBox(kOutputFormat, this);
    // Two rows in every box, so that the file list keeps room for eight files or more.
    auto* formatLayout = new QGridLayout(format);
    rtf_ = new QRadioButton(kFormatRtf, format);
    doc_ = new QRadioButton(kFormatDoc, format);
    docx_ = new QRadioButton(kFormatDocx, format);
    odt_ = new QRadioButton(kFormatOdt, format);
    formatLayout->addWidget(rtf_, 0, 0);
    formatLayout->addWidget(doc_, 1, 0);
    formatLayout->addWidget(docx_, 0, 1);
    formatLayout->addWidget(odt_, 1, 1);
    auto* method = new QGroupBox(kMethods, this);
    auto* methodLayout = new QVBoxLayout(method);
    wizard_ = new QRadioButton(kWizardMethod, method);
    fast_ = new QRadioButton(kFastMethod, method);
    methodLayout->addWidget(wizard_);
    methodLayout->addWidget(fast_);
    choices->addWidget(range);
    choices->addWidget(format, 1);
    choices->addWidget(method);
    layout->addLayout(choices);

    allPages_->setObjectName("allPages");
    pageNumbers_->setObjectName("pageNumbers");
    rtf_->setObjectName("formatRtf");
    doc_->setObjectName("formatDoc");
    docx_->setObjectName("formatDocx");
    odt_->setObjectName("formatOdt");
    wizard_->setObjectName("wizardMethod");
    fast_->setObjectName("fastMethod");
    allPages_->setChecked(true);
    pageText_->setEnabled(false);
    doc_->setChecked(true);
    wizard_->setChecked(true);

    connect(pageNumbers_, &QRadioButton::toggled, pageText_, &QLineEdit::setEnabled);
    connect(add, &QPushButton::clicked, this, &MainPanel::OnAdd);
    connect(remove, &QPushButton::clicked, this, &MainPanel::OnRemove);
    connect(removeAll, &QPushButton::clicked, this, &MainPanel::OnRemoveAll);
    connect(browse, &QPushButton::clicked, this, &MainPanel::OnBrowse);
    // A folder typed by the user is a choice as much as one found with "Browse".
    connect(folder_, &QLineEdit::textEdited, this, [this](const QString& text) { folderChosen_ = !text.trimmed().isEmpty(); });
}

void MainPanel::Tell(const QString& text, const QString& caption) { prompts_.message(caption, text); }

QString MainPanel::OutputFolder() const { return folder_->text().trimmed(); }
void MainPanel::SetOutputFolder(const QString& folder, bool chosen) {
    folder_->setText(folder);
    if (chosen) folderChosen_ = !folder.trimmed().isEmpty();
}
std::string MainPanel::ChosenFormat() const {
    return doc_->isChecked() ? "doc" : docx_->isChecked() ? "docx" : odt_->isChecked() ? "odt" : "rtf";
}

bool MainPanel::FastMethod() const { return fast_->isChecked(); }
void MainPanel::ShowSettings(const MyConvertPara& para, bool destinationChosen) {
    QRadioButton* format = para.DocFormat == "doc" ? doc_ : para.DocFormat == "docx" ? docx_ : para.DocFormat == "odt" ? odt_ : rtf_;
    format->setChecked(true);
    (para.pages.All() ? allPages_ : pageNumbers_)->setChecked(true);
    pageText_->setEnabled(pageNumbers_->isChecked());
    QString destination = QString::fromStdString(para.DestDir);
    if (destinationChosen) SetOutputFolder(destination, true);
    else if (!folderChosen_ && rows_.empty()) SetOutputFolder(destination);
}

void MainPanel::OnAdd() { AddFilesAsChosen(prompts_.chooseFiles()); }

void MainPanel::AddFilesAsChosen(const QStringList& paths) {
    if (paths.isEmpty()) return;
    // The sources' folder serves only until the user chooses one.
    if (!folderChosen_) SetOutputFolder(QFileInfo(paths.first()).absolutePath() + "/");
    AddFiles(paths);
}

QStringList MainPanel::Files() const {
    QStringList paths;
    for (const Row& r : rows_) paths << r.path;
    return paths;
}

QString MainPanel::FileNote(const QString& path) const {
    for (const Row& r : rows_)
        if (r.path == QFileInfo(path).absoluteFilePath()) return r.problem;
    return {};
}

void MainPanel::RemoveFiles(const QStringList& paths) {
    for (int r = static_cast<int>(rows_.size()); r-- > 0;) {
        if (!paths.contains(rows_[static_cast<size_t>(r)].path)) continue;
        table_->removeRow(r);
        rows_.erase(rows_.begin() + r);
    }
}

void MainPanel::AddFiles(const QStringList& paths) {
    QStringList problems;
    for (const QString& chosen : paths) {
        QString path = QFileInfo(chosen).absoluteFilePath();
        bool listed = false;
        for (const Row& r : rows_) listed = listed || r.path == path;
        if (listed) {
            Tell(ui::text::kFileExists, ui::text::kWarning);
            continue;
        }
        Row row{path, {}, PageCount(path.toStdString(), nullptr), {}};
        while (row.pages == -1) {
            std::optional<QString> password = prompts_.password(path);
            if (!password) return;  // "Cancel" ends the adding
            std::string typed = password->toStdString();
            int pages = PageCount(path.toStdString(), &typed);
            if (pages > 0) {
                row.pages = pages;
                row.password = *password;
            } else if (!prompts_.retryPassword(path)) {
                break;
            }
        }
        if (row.pages == -1) continue;  // skipped: its password is unknown
        if (row.pages == 0) {
            // Said now, not first in the batch's failures: an empty, damaged or non-PDF file.
            int pages = 0;
            std::string why = CheckSource({path.toStdString(), row.password.toStdString()}, pages);
            row.problem = QString::fromStdString(why.empty() ? std::string("has no pages") : why);
            problems << QString(ui::text::kNotReadable).arg(QFileInfo(path).fileName(), row.problem);
        }
        AppendRow(row);
    }
    if (!problems.isEmpty()) Tell(problems.join("\n") + "\n\n" + ui::text::kNotReadableHint, ui::text::kWarning);
}

void MainPanel::AppendRow(const Row& row) {
    rows_.push_back(row);
    int r = table_->rowCount();
    table_->insertRow(r);
    table_->setItem(r, 0, new QTableWidgetItem(row.path));
    auto* size = new QTableWidgetItem(FormatByteSize(QFileInfo(row.path).size()));
    size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(r, 1, size);
    auto* pages = new QTableWidgetItem(row.problem.isEmpty() ? QString::number(row.pages) : ui::text::kUnreadableNote);
    pages->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(r, 2, pages);
    table_->item(r, 0)->setToolTip(row.problem.isEmpty() ? row.path : row.path + "\n" + row.problem);
    if (!row.problem.isEmpty()) {
        for (int c = 0; c < 3; ++c) table_->item(r, c)->setForeground(QColor("#b3261e"));
        pages->setToolTip(row.problem);
    }
}

void MainPanel::OnRemove() {
    if (rows_.empty()) return Tell(ui::text::kNoPdf);
    std::set<int> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) selected.insert(index.row());
    if (selected.empty()) return Tell(ui::text::kSelectToRemove);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        table_->removeRow(*it);
        rows_.erase(rows_.begin() + *it);
    }
    if (rows_.empty() && !folderChosen_) folder_->clear();
}

void MainPanel::OnRemoveAll() {
    if (rows_.empty()) return Tell(ui::text::kNoPdf);
    ClearFiles();
    if (!folderChosen_) folder_->clear();
}

void MainPanel::ClearFiles() {
    rows_.clear();
    table_->setRowCount(0);
}

void MainPanel::OnBrowse() {
    QString chosen = prompts_.chooseFolder(OutputFolder());
    if (!chosen.isEmpty()) SetOutputFolder(chosen.endsWith('/') ? chosen : chosen + "/", true);
}

bool MainPanel::StartCheck(MyConvertPara& para, std::vector<BatchFile>& batch) {
    using namespace ui::text;
    const QString pageText = pageText_->text().trimmed();
    if (pageNumbers_->isChecked() && pageText.isEmpty()) return Tell(kNoPageNumber), false;
    if (rows_.empty()) return Tell(kNoFile), false;
    const QString folder = OutputFolder();
    if (folder.isEmpty()) return Tell(kNoSavePath), false;
    QFileInfo folderInfo(folder);
    if (!folderInfo.isAbsolute() || !folderInfo.isDir() || !folderInfo.isWritable()) {
        QString why = !folderInfo.exists() ? folder + " does not exist"
                      : !folderInfo.isDir() ? folder + " is not a folder"
                      : !folderInfo.isAbsolute() ? folder + " is not a full path"
                                                 : folder + " is not writable";
        return Tell(QString(kOutputFolderProblem).arg(why)), false;
    }

    if (pageNumbers_->isChecked()) {
        PageSelection probe;  // the page list is checked before the record changes
        probe.SelectListed(pageText.toStdString());
        bool anySelected = false;
        for (const Row& row : rows_) anySelected = anySelected || probe.AnyOf(row.pages);
        if (!anySelected) return Tell(kPageListSelectsNothing), false;
    }
    const std::string format = ChosenFormat();
    const bool wantDoc = format != "rtf";
    std::set<QString> names;
    for (const Row& row : rows_) {
        QString name = QFileInfo(row.path).completeBaseName();
        if (!names.insert(name).second) return Tell(QString(kSameResultName).arg(name)), false;
    }
    if (wantDoc && !platform::ProgramOnPath("soffice")) return Tell(kNoWordProcessor), false;

    para.DestDir = folder.toStdString();
    para.firstPage = 1;
    para.pages.Select(pageNumbers_->isChecked() ? pageText.toStdString() : std::string());
    para.SetDocFormat(format);
    para.outputDir = folder.toStdString();
    para.sourceDir = QFileInfo(rows_.front().path).absolutePath().toStdString() + "/";
    batch.clear();
    for (const Row& row : rows_) batch.push_back({row.path.toStdString(), row.password.toStdString()});
    return true;
}

void MainPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsPdfName(url.toLocalFile())) return event->acceptProposedAction();
}

void MainPanel::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsPdfName(url.toLocalFile())) paths << url.toLocalFile();
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    AddFilesAsChosen(paths);
}
