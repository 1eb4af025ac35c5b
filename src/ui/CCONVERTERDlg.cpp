#include "ui/CCONVERTERDlg.h"

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

#include "convert/CConvertDoc.h"
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

CCONVERTERDlg::CCONVERTERDlg(ui::UiPrompts& prompts, QWidget* parent)
    : CStepDlg(ui::text::kPanelTitle, parent), prompts_(prompts) {
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
    table_->setColumnWidth(1, 120);
    table_->setColumnWidth(2, 60);
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
    rangeLayout->addWidget(allPages_, 0, 0, 1, 2);
    rangeLayout->addWidget(pageNumbers_, 1, 0);
    rangeLayout->addWidget(pageText_, 1, 1);
    auto* format = new QGroupBox(kOutputFormat, this);
    auto* formatLayout = new QVBoxLayout(format);
    rtf_ = new QRadioButton(kFormatRtf, format);
    doc_ = new QRadioButton(kFormatDoc, format);
    docx_ = new QRadioButton(kFormatDocx, format);
    odt_ = new QRadioButton(kFormatOdt, format);
    formatLayout->setSpacing(2);
    for (QRadioButton* r : {rtf_, doc_, docx_, odt_}) formatLayout->addWidget(r);
    auto* method = new QGroupBox(kMethods, this);
    auto* methodLayout = new QVBoxLayout(method);
    wizard_ = new QRadioButton(kWizardMethod, method);
    fast_ = new QRadioButton(kFastMethod, method);
    methodLayout->addWidget(wizard_);
    methodLayout->addWidget(fast_);
    for (QGroupBox* g : {range, format, method}) choices->addWidget(g);
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
    connect(add, &QPushButton::clicked, this, &CCONVERTERDlg::OnAdd);
    connect(remove, &QPushButton::clicked, this, &CCONVERTERDlg::OnRemove);
    connect(removeAll, &QPushButton::clicked, this, &CCONVERTERDlg::OnRemoveAll);
    connect(browse, &QPushButton::clicked, this, &CCONVERTERDlg::OnBrowse);
}

void CCONVERTERDlg::Tell(const QString& text, const QString& caption) { prompts_.message(caption, text); }

QString CCONVERTERDlg::OutputFolder() const { return folder_->text().trimmed(); }
void CCONVERTERDlg::SetOutputFolder(const QString& folder) { folder_->setText(folder); }
std::string CCONVERTERDlg::ChosenFormat() const {
    return doc_->isChecked() ? "doc" : docx_->isChecked() ? "docx" : odt_->isChecked() ? "odt" : "rtf";
}

bool CCONVERTERDlg::FastMethod() const { return fast_->isChecked(); }
void CCONVERTERDlg::ShowSettings(const MyConvertPara& para) {
    QRadioButton* format = para.DocFormat == "doc" ? doc_ : para.DocFormat == "docx" ? docx_ : para.DocFormat == "odt" ? odt_ : rtf_;
    format->setChecked(true);
    (para.AllPages == "Yes" ? allPages_ : pageNumbers_)->setChecked(true);
    pageText_->setEnabled(pageNumbers_->isChecked());
    SetOutputFolder(QString::fromStdString(para.DestDir));
}

void CCONVERTERDlg::SetEnabledForBatch(bool enabled) { setEnabled(enabled); }

void CCONVERTERDlg::OnAdd() {
    QStringList chosen = prompts_.chooseFiles();
    if (chosen.isEmpty()) return;
    SetOutputFolder(QFileInfo(chosen.first()).absolutePath() + "/");
    AddFiles(chosen);
}

void CCONVERTERDlg::AddFiles(const QStringList& paths) {
    for (const QString& chosen : paths) {
        QString path = QFileInfo(chosen).absoluteFilePath();
        bool listed = false;
        for (const Row& r : rows_) listed = listed || r.path == path;
        if (listed) {
            Tell(ui::text::kFileExists, ui::text::kWarning);
            continue;
        }
        Row row{path, {}, PageCount(path.toStdString(), nullptr)};
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
        AppendRow(row);
    }
}

void CCONVERTERDlg::AppendRow(const Row& row) {
    rows_.push_back(row);
    int r = table_->rowCount();
    table_->insertRow(r);
    table_->setItem(r, 0, new QTableWidgetItem(row.path));
    auto* size = new QTableWidgetItem(FormatByteSize(QFileInfo(row.path).size()));
    size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(r, 1, size);
    auto* pages = new QTableWidgetItem(QString::number(row.pages));
    pages->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(r, 2, pages);
}

void CCONVERTERDlg::OnRemove() {
    if (rows_.empty()) return Tell(ui::text::kNoPdf);
    std::set<int> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) selected.insert(index.row());
    if (selected.empty()) return Tell(ui::text::kSelectToRemove);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        table_->removeRow(*it);
        rows_.erase(rows_.begin() + *it);
    }
    if (rows_.empty()) folder_->clear();
}

void CCONVERTERDlg::OnRemoveAll() {
    if (rows_.empty()) return Tell(ui::text::kNoPdf);
    ClearFiles();
    folder_->clear();
}

void CCONVERTERDlg::ClearFiles() {
    rows_.clear();
    table_->setRowCount(0);
}

void CCONVERTERDlg::OnBrowse() {
    QString chosen = prompts_.chooseFolder(OutputFolder());
    if (!chosen.isEmpty()) SetOutputFolder(chosen.endsWith('/') ? chosen : chosen + "/");
}

bool CCONVERTERDlg::StartCheck(MyConvertPara& para, std::vector<BatchFile>& batch) {
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

    MyConvertPara probe;  // the page list is checked before the record changes
    if (pageNumbers_->isChecked()) {
        probe.ParsePageList(pageText.toStdString());
        bool anySelected = false;
        for (const Row& row : rows_)
            for (int32_t p : probe.pageList) anySelected = anySelected || (p >= 1 && p <= row.pages);
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
    para.pageFlags = 0;
    para.SelectPages(pageNumbers_->isChecked() ? pageText.toStdString() : std::string());
    para.SetDocFormat(format);
    para.lastOutputDir = para.outputDir = folder.toStdString();
    para.sourceDir = QFileInfo(rows_.front().path).absolutePath().toStdString() + "/";
    para.method = FastMethod() ? ui::text::kFastMethod : ui::text::kWizardMethod;
    para.files.clear();
    batch.clear();
    for (const Row& row : rows_) {
        para.files.push_back(row.path.toStdString());
        batch.push_back({row.path.toStdString(), row.password.toStdString()});
    }
    return true;
}

void CCONVERTERDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsPdfName(url.toLocalFile())) return event->acceptProposedAction();
}

void CCONVERTERDlg::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsPdfName(url.toLocalFile())) paths << url.toLocalFile();
    if (paths.isEmpty()) return;
    if (OutputFolder().isEmpty()) SetOutputFolder(QFileInfo(paths.first()).absolutePath() + "/");
    AddFiles(paths);
    event->acceptProposedAction();
}
