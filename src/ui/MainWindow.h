#pragma once
// The main window: a fixed, frameless 774 x 640 window with its title band, the
// two tabs, the two start buttons and one page in front at a time. It starts
// the batch worker and shows what the worker reports.
#include <QWidget>
#include <functional>
#include <memory>

#include "convert/CConvertWorker.h"
#include "ui/UiPrompts.h"

class MainPanel;
class ProgressPage;
class SettingsPage;
class ImageWizard;
class WordWizard;
class MyConvertPara;
class QPushButton;
class QStackedWidget;
class QUrl;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(MyConvertPara& para, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The starts: "Convert to Word" and "Extract Images".
    void StartConvert();
    void StartImages();
    // The tabs.
    void ShowConvert();
    void ShowSettings();
    void ShowInfo();
    void ShowHelp();

    ui::UiPrompts& Prompts() { return prompts_; }
    // Where result files and the manual are opened (the desktop's URL handling);
    // false when nothing opened it, which the window then tells the user.
    std::function<bool(const QUrl&)> openUrl;
    // Opens `url` through openUrl, or says why it could not be opened.
    void OpenLink(const QUrl& url);
    // Files handed to the program (its command line, or a second start): added as by
    // "Add PDF Files"; the window comes to the front.
    void AddFilesFromOutside(const QStringList& paths);
    // The program's command line (without the program's name): its files are added
    // once the window's event loop runs.
    void OpenArguments(const QStringList& arguments, const QString& workingDir);
    // How results are presented; replaceable in tests (the default shows a modal dialog).
    // `notConverted`: the files a cancelled batch did not finish.
    std::function<void(const BatchSummary&, const QStringList& notConverted)> showResults;

    MainPanel* Panel() const { return panel_; }
    ProgressPage* Progress() const { return progress_; }
    SettingsPage* Settings() const { return settings_; }
    WordWizard* ConvertWizard() const { return wordWizard_; }
    ImageWizard* ExtractWizard() const { return imageWizard_; }
    QWidget* CurrentPage() const;
    bool BatchRunning() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Host;
    void Start(bool imageJob);
    void Launch();
    void OnSettingsApplied();
    void OnCancelClicked();
    void OnBatchEnded(const BatchSummary& summary);
    void PresentResults(const BatchSummary& summary, const QStringList& notConverted);
    void ShowPage(QWidget* page);
    bool OpenOnDesktop(const QUrl& url);
    void SetStartButtonsVisible(bool visible);

    MyConvertPara& para_;
    ui::UiPrompts prompts_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<CConvertWorker> worker_;
    QStackedWidget* pages_;
    MainPanel* panel_;
    ProgressPage* progress_;
    SettingsPage* settings_;
    WordWizard* wordWizard_;
    ImageWizard* imageWizard_;
    std::vector<BatchFile> pendingBatch_;  // checked by the start, run when the wizard finishes
    QStringList runningBatch_;             // the sources of the batch that runs
    QPushButton* tabConvert_;
    QPushButton* tabSettings_;
    QPushButton* startImages_;
    QPushButton* startConvert_;
    QPoint dragOffset_;
    bool closeWhenIdle_ = false;
};

// The manual's start page (installed data), as a URL.
QUrl ManualUrl();
