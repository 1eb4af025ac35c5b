#pragma once
// The main window: a fixed, frameless 774 x 640 window with its title band, the
// two tabs, the two start buttons and one page in front at a time. It starts
// the batch worker and shows what the worker reports.
#include <QWidget>
#include <functional>
#include <memory>

#include "convert/CConvertWorker.h"
#include "ui/UiPrompts.h"

class CCONVERTERDlg;
class CConversionProgressDlg;
class CSetDlg;
class CWizardExImageDlg;
class CWizardToWordDlg;
class MyConvertPara;
class QPushButton;
class QStackedWidget;
class QUrl;

class CQuilletDlg : public QWidget {
    Q_OBJECT
public:
    explicit CQuilletDlg(MyConvertPara& para, QWidget* parent = nullptr);
    ~CQuilletDlg() override;

    // The starts: "Convert to Word" and "Extract Images".
    void StartConvert();
    void StartImages();
    // The tabs.
    void ShowConvert();
    void ShowSettings();
    void ShowInfo();
    void ShowHelp();

    ui::UiPrompts& Prompts() { return prompts_; }
    // Where result files and the manual are opened (the desktop's URL handling).
    std::function<void(const QUrl&)> openUrl;
    // How results are presented; replaceable in tests (the default shows a modal dialog).
    std::function<void(const BatchSummary&)> showResults;

    CCONVERTERDlg* Panel() const { return panel_; }
    CConversionProgressDlg* ProgressPage() const { return progress_; }
    CSetDlg* SettingsPage() const { return settings_; }
    CWizardToWordDlg* WordWizard() const { return wordWizard_; }
    CWizardExImageDlg* ImageWizard() const { return imageWizard_; }
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
    void PresentResults(const BatchSummary& summary);
    void ShowPage(QWidget* page);
    void SetStartButtonsVisible(bool visible);

    MyConvertPara& para_;
    ui::UiPrompts prompts_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<CConvertWorker> worker_;
    QStackedWidget* pages_;
    CCONVERTERDlg* panel_;
    CConversionProgressDlg* progress_;
    CSetDlg* settings_;
    CWizardToWordDlg* wordWizard_;
    CWizardExImageDlg* imageWizard_;
    std::vector<BatchFile> pendingBatch_;  // checked by the start, run when the wizard finishes
    QPushButton* tabConvert_;
    QPushButton* tabSettings_;
    QPushButton* startImages_;
    QPushButton* startConvert_;
    QPoint dragOffset_;
    bool closeWhenIdle_ = false;
};

// The manual's start page (installed data), as a URL.
QUrl ManualUrl();
