#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <future>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"
#include "app/OcrLanguageCheck.h"
#include "platform/Workspace.h"
#include "ui/HyperLink.h"
#include "ui/ImageWizard.h"
#include "ui/InstanceChannel.h"
#include "ui/MainPanel.h"
#include "ui/ProgressPage.h"
#include "ui/ResultDialogs.h"
#include "ui/Settings.h"
#include "ui/SettingsPage.h"
#include "ui/UiTexts.h"
#include "ui/WordWizard.h"

namespace {

constexpr int kWidth = 774, kHeight = 640;
constexpr int kBandHeight = 92;

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

const char* kStyle = R"(
#mainWindow { background: #eef2f7; }
QPushButton#tabButton { background: #d5deea; border: 1px solid #9fb0c6; border-bottom: none;
  border-top-left-radius: 8px; border-top-right-radius: 8px; font-weight: bold; color: #23344d; }
QPushButton#tabButton:checked { background: #ffffff; color: #0b4f9c; }
QPushButton#tabButton:hover:!checked { background: #e4ebf4; }
QPushButton#titleButton { background: transparent; color: white; border: none; font-weight: bold; padding: 2px 8px; }
QPushButton#titleButton:hover { background: rgba(255,255,255,40); border-radius: 4px; }
QPushButton#startButton { font-size: 15px; font-weight: bold; color: white; border-radius: 10px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3d8fe0, stop:1 #1559a8); }
QPushButton#startButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #56a2ee, stop:1 #1d68bd); }
QStackedWidget#pages { background: #ffffff; border: 1px solid #9fb0c6; }
QLabel#pageTitle { font-size: 15px; font-weight: bold; color: #0b4f9c; }
QLabel#pageHint { color: #5b6b80; }
)";

}  // namespace

QUrl ManualUrl() {
    std::string manual = platform::DataFile("help/index.html");
    return manual.empty() ? QUrl() : QUrl::fromLocalFile(QString::fromStdString(manual));
}

// The worker's calls, handed over to the window's thread. A question waits for
// its answer on a promise; the window's thread never waits for the worker.
class MainWindow::Host : public IWorkerHost {
public:
    explicit Host(MainWindow& window) : window_(window) {}

    bool AskReplace(const std::string& path) override {
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> reply = answer->get_future();
        QString text = QString(ui::text::kReplaceQuestion).arg(QString::fromStdString(path));
        QMetaObject::invokeMethod(
            &window_, [this, answer, text] { answer->set_value(window_.prompts_.question(ui::text::kAppTitle, text)); },
            Qt::QueuedConnection);
        // A window that is closing answers no more questions: the file is kept.
        while (reply.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
            if (closing) return false;
        return reply.get();
    }
    void FileFailed(const std::string& source, const std::string& reason) override {
        QString s = QString::fromStdString(source), r = QString::fromStdString(reason);
        QMetaObject::invokeMethod(
            &window_, [this, s, r] { window_.progress_->MarkFailed(s, r); }, Qt::QueuedConnection);
    }
    void FileConverted(const std::string&, const std::string&) override {}
    void FileBegins(const std::string& source) override {
        QString s = QString::fromStdString(source);
        QMetaObject::invokeMethod(&window_, [this, s] { window_.progress_->MarkBegins(s); }, Qt::QueuedConnection);
    }
    void FileSkipped(const std::string& source, const std::string& reason) override {
        QString s = QString::fromStdString(source), r = QString::fromStdString(reason);
        QMetaObject::invokeMethod(
            &window_, [this, s, r] { window_.progress_->MarkSkipped(s, r); }, Qt::QueuedConnection);
    }
    void FileNote(const std::string& source, const std::string& note) override {
        QString s = QString::fromStdString(source), n = QString::fromStdString(note);
        QMetaObject::invokeMethod(
            &window_, [this, s, n] { window_.progress_->MarkNote(s, n); }, Qt::QueuedConnection);
    }
    void BatchEnded(const BatchSummary& summary) override {
        QMetaObject::invokeMethod(
            &window_, [this, summary] { window_.OnBatchEnded(summary); }, Qt::QueuedConnection);
    }

    std::atomic<bool> closing{false};

private:
    MainWindow& window_;
};

MainWindow::MainWindow(MyConvertPara& para, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), para_(para) {
    using namespace ui::text;
    setObjectName("mainWindow");
    setWindowTitle(kAppTitle);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(kStyle);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, kWidth, kHeight), 12, 12);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
    prompts_ = ui::DialogPrompts(this);
    openUrl = [this](const QUrl& url) { return OpenOnDesktop(url); };
    showResults = [this](const BatchSummary& summary, const QStringList& notConverted) {
        PresentResults(summary, notConverted);
    };
    host_ = std::make_unique<Host>(*this);
    worker_ = std::make_unique<CConvertWorker>(para_, *host_, DefaultWorkerSteps());
    // Several files convert at once through the command-line converter installed beside the window.
    std::string converter = platform::ExecutableDir() + "/vellumor-convert";
    if (access(converter.c_str(), X_OK) == 0)
        worker_->SetParallel(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())), converter);

    auto* titleRow = new QWidget(this);
    titleRow->setGeometry(kWidth - 330, 8, 320, 30);
    auto* titleLayout = new QHBoxLayout(titleRow);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addStretch();
    QPushButton* home = MakeButton(kHome, "titleButton", titleRow);
    QPushButton* info = MakeButton(kInfo, "titleButton", titleRow);
    QPushButton* help = MakeButton(kHelp, "titleButton", titleRow);
    QPushButton* minimise = MakeButton(kMinimise, "titleButton", titleRow);
    QPushButton* close = MakeButton(kClose, "titleButton", titleRow);
    for (QPushButton* b : {home, info, help, minimise, close}) titleLayout->addWidget(b);
    home->setAccessibleName("home");
    info->setAccessibleName("info");
    help->setAccessibleName("help");
    minimise->setAccessibleName("minimise");
    close->setAccessibleName("close");

    tabConvert_ = MakeButton(kTabConvert, "tabButton", this);
    tabSettings_ = MakeButton(kTabSettings, "tabButton", this);
    tabConvert_->setGeometry(15, 103, 165, 35);
    tabSettings_->setGeometry(184, 103, 165, 35);
    for (QPushButton* tab : {tabConvert_, tabSettings_}) tab->setCheckable(true);
    tabConvert_->setChecked(true);

    pages_ = new QStackedWidget(this);
    pages_->setObjectName("pages");
    panel_ = new MainPanel(prompts_, pages_);
    progress_ = new ProgressPage(pages_);
    settings_ = new SettingsPage(para_, prompts_, pages_);
    wordWizard_ = new WordWizard(para_, pages_);
    imageWizard_ = new ImageWizard(para_, prompts_, pages_);
    for (QWidget* page : std::initializer_list<QWidget*>{panel_, progress_, settings_, wordWizard_, imageWizard_})
        pages_->addWidget(page);

    startImages_ = MakeButton(kExtractImages, "startButton", this);
    startConvert_ = MakeButton(kConvertToWord, "startButton", this);
    startImages_->setAccessibleName("extractImages");
    startConvert_->setAccessibleName("convertToWord");
    startImages_->setGeometry(kWidth - 17 - 2 * 190 - 16, kHeight - 90, 190, 56);
    startConvert_->setGeometry(kWidth - 17 - 190, kHeight - 90, 190, 56);
    ShowPage(panel_);
    panel_->ShowSettings(para_);

    connect(tabConvert_, &QPushButton::clicked, this, &MainWindow::ShowConvert);
    connect(tabSettings_, &QPushButton::clicked, this, &MainWindow::ShowSettings);
    connect(startConvert_, &QPushButton::clicked, this, &MainWindow::StartConvert);
    connect(startImages_, &QPushButton::clicked, this, &MainWindow::StartImages);
    connect(progress_, &ProgressPage::cancelClicked, this, &MainWindow::OnCancelClicked);
    connect(settings_, &SettingsPage::applied, this, &MainWindow::OnSettingsApplied);
    connect(settings_, &SettingsPage::closed, this, &MainWindow::ShowConvert);
    for (Wizard* wizard : std::initializer_list<Wizard*>{wordWizard_, imageWizard_}) {
        connect(wizard, &Wizard::started, this, &MainWindow::Launch);
        connect(wizard, &Wizard::cancelled, this, &MainWindow::ShowConvert);
    }
    connect(minimise, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(info, &QPushButton::clicked, this, &MainWindow::ShowInfo);
    connect(help, &QPushButton::clicked, this, &MainWindow::ShowHelp);
    connect(home, &QPushButton::clicked, this, [this] { OpenLink(ManualUrl()); });
}

MainWindow::~MainWindow() {
    host_->closing = true;
    worker_.reset();  // cancels and waits for a batch still running
    para_.observer = nullptr;
}

bool MainWindow::BatchRunning() const { return para_.busy != 0; }

void MainWindow::ShowPage(QWidget* page) {
    pages_->setCurrentWidget(page);
    // The main panel leaves room below for the start buttons; other pages reach down.
    int height = page == panel_ ? kHeight - 242 : kHeight - 152;
    pages_->setGeometry(17, 138, kWidth - 35, height);
    SetStartButtonsVisible(page == panel_);
}

void MainWindow::SetStartButtonsVisible(bool visible) {
    startImages_->setVisible(visible);
    startConvert_->setVisible(visible);
}

void MainWindow::ShowConvert() {
    tabConvert_->setChecked(true);
    tabSettings_->setChecked(false);
    // During a batch the progress page stays in front until the worker has ended;
    // the tab offers to cancel instead.
    if (BatchRunning()) return OnCancelClicked();
    ShowPage(panel_);
}

void MainWindow::ShowSettings() {
    if (BatchRunning()) {
        tabSettings_->setChecked(false);
        return;
    }
    tabSettings_->setChecked(true);
    tabConvert_->setChecked(false);
    ShowPage(settings_);
}

void MainWindow::ShowInfo() {
    if (BatchRunning()) return;
    QDialog box(this);
    box.setObjectName("infoBox");
    box.setWindowTitle(ui::text::kResultCaption);
    auto* layout = new QVBoxLayout(&box);
    auto* text = new QLabel(ui::text::kInfoText, &box);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addWidget(new HyperLink(ui::text::kManualLink, ManualUrl(), [this](const QUrl& url) { OpenLink(url); }, &box));
    auto* ok = new QPushButton(ui::text::kOk, &box);
    connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    box.setMinimumWidth(360);
    box.exec();
}

void MainWindow::ShowHelp() {
    if (BatchRunning()) return;
    OpenLink(ManualUrl());
}

void MainWindow::OpenLink(const QUrl& url) {
    if (url.isEmpty()) return prompts_.message(ui::text::kError, ui::text::kManualMissing);
    if (!openUrl || !openUrl(url)) prompts_.message(ui::text::kError, UnableToOpenText(url));
}

// xdg-open says when the desktop has no program for a link, after it has tried:
// it runs on its own, and only its failure is told. Without it, Qt's own way is used.
bool MainWindow::OpenOnDesktop(const QUrl& url) {
    if (!url.isValid()) return false;
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) return QDesktopServices::openUrl(url);
    // Not a child of the window: a viewer that xdg-open runs in its place outlives the window.
    auto* process = new QProcess;
    connect(process, &QProcess::finished, this, [this, process, url](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status != QProcess::NormalExit || code != 0) prompts_.message(ui::text::kError, UnableToOpenText(url));
    });
    connect(process, &QProcess::errorOccurred, this, [this, process, url](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        process->deleteLater();
        prompts_.message(ui::text::kError, UnableToOpenText(url));
    });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
    return true;
}

void MainWindow::OpenArguments(const QStringList& arguments, const QString& workingDir) {
    QStringList files = ui::FilesFromArguments(arguments, workingDir);
    if (!files.isEmpty()) QTimer::singleShot(0, this, [this, files] { AddFilesFromOutside(files); });
}

void MainWindow::AddFilesFromOutside(const QStringList& paths) {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    if (!paths.isEmpty()) panel_->AddFilesAsChosen(paths);
}

void MainWindow::StartConvert() { Start(false); }
void MainWindow::StartImages() { Start(true); }

QWidget* MainWindow::CurrentPage() const { return pages_->currentWidget(); }

void MainWindow::Start(bool imageJob) {
    if (BatchRunning()) return;
    if (!panel_->StartCheck(para_, pendingBatch_)) return;
    if (!panel_->FastMethod()) {
        Wizard* wizard = imageJob ? static_cast<Wizard*>(imageWizard_) : wordWizard_;
        tabConvert_->setChecked(true);
        ShowPage(wizard);
        wizard->Open();
        return;
    }
    // The fast start runs in the stored layout and image filter, as the wizard's summary would.
    if (imageJob) {
        para_.jobMode = ModeExtractImages;
        para_.imageDevice = "jpeg";
    } else {
        para_.jobMode = ui::JobModeForLayout(para_.Layout).value_or(ModeFlowingText);
        para_.removeImages = para_.ImageFilter == "Yes" ? 1 : 0;
        para_.keepLines = para_.KeepLines == "Yes";
    }
    Launch();
}

void MainWindow::Launch() {
    if (BatchRunning() || pendingBatch_.empty()) return;
    // Said once before the batch, rather than as a failure of every scanned page.
    if (std::string missing = OcrLanguageProblem(para_); !missing.empty()) {
        prompts_.message(ui::text::kError, QString::fromStdString(missing));
        return;
    }
    if (para_.jobMode != ModeExtractImages) para_.imageDevice = "jpeg";
    para_.observer = progress_;
    const bool office = !para_.officeFormat.empty() && para_.jobMode != ModeExtractImages;
    progress_->Reset(office ? QString::fromStdString(para_.officeFormat) : QString());
    ShowPage(progress_);
    panel_->setEnabled(false);
    runningBatch_.clear();
    for (const BatchFile& file : pendingBatch_) runningBatch_ << QString::fromStdString(file.path);
    worker_->Start(std::move(pendingBatch_));
    pendingBatch_.clear();
}

void MainWindow::OnSettingsApplied() {
    panel_->ShowSettings(para_, settings_->DestinationChosen());
    ShowConvert();
}

void MainWindow::OnCancelClicked() {
    if (!BatchRunning()) return;
    // The job waits at its next boundary while the question is open.
    worker_->Gate().Close();
    bool yes = prompts_.question(ui::text::kAppTitle, ui::text::kCancelQuestion);
    if (yes) {
        worker_->RequestCancel();
        progress_->ShowCancelling();
    }
    worker_->Gate().Open();
}

void MainWindow::OnBatchEnded(const BatchSummary& summary) {
    worker_->Join();
    progress_->ShowEnded(summary.cancelled);
    // The files a cancelled batch did not finish stay in the list, with their
    // passwords, so that the next start goes on with them; a batch that ran to
    // its end leaves the list to files added since it started.
    QStringList done;
    for (const std::string& source : summary.convertedFiles) done << QString::fromStdString(source);
    QStringList notConverted;
    if (summary.cancelled) {
        QStringList accounted = done;
        for (const auto& failure : summary.failures) accounted << QString::fromStdString(failure.first);
        for (const auto& skipped : summary.skippedFiles) accounted << QString::fromStdString(skipped.first);
        for (const QString& source : runningBatch_)
            if (!accounted.contains(source)) notConverted << source;
    }
    if (!closeWhenIdle_) showResults(summary, notConverted);
    panel_->RemoveFiles(summary.cancelled ? done : runningBatch_);
    runningBatch_.clear();
    panel_->setEnabled(true);
    tabConvert_->setChecked(true);
    tabSettings_->setChecked(false);
    ShowPage(panel_);
    if (closeWhenIdle_) close();
}

void MainWindow::PresentResults(const BatchSummary& summary, const QStringList& notConverted) {
    const bool imageJob = para_.jobMode == ModeExtractImages;
    const bool finishDialog = para_.autoOpenFlag && !imageJob && !summary.results.empty();
    if (!finishDialog) {
        if (imageJob) CompleteDialog(summary, QString::fromStdString(para_.outputDir), this, notConverted).exec();
        else CompleteDialog(summary, this, notConverted).exec();
        return;
    }
    FinishDialog dialog(summary, QString::fromStdString(para_.outputDir), openUrl, prompts_.message, this, notConverted);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!BatchRunning()) return event->accept();
    event->ignore();
    if (closeWhenIdle_ || !prompts_.question(ui::text::kAppTitle, ui::text::kCloseDuringBatch)) return;
    closeWhenIdle_ = true;
    worker_->RequestCancel();
    progress_->ShowCancelling();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    dragOffset_ = event->position().toPoint();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    // The frameless window is moved by its title band.
    if ((event->buttons() & Qt::LeftButton) && dragOffset_.y() < kBandHeight)
        move(event->globalPosition().toPoint() - dragOffset_);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, kBandHeight);
    band.setColorAt(0, QColor("#1d5fae"));
    band.setColorAt(1, QColor("#0b3a73"));
    painter.fillRect(rect(), QColor("#eef2f7"));
    painter.fillRect(QRect(0, 0, width(), kBandHeight), band);
    painter.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(22);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(24, 22, 400, 40), Qt::AlignLeft | Qt::AlignVCenter, ui::text::kAppTitle);
    QFont tagline = font();
    tagline.setPointSize(10);
    painter.setFont(tagline);
    painter.drawText(QRect(26, 60, 500, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     ui::text::kTagline);
    painter.setPen(QPen(QColor("#9fb0c6"), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
}
