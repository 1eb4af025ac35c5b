#pragma once
// "Conversion Progress": the status line, the bar and the batch's files while a
// batch runs. The job reports from the worker's thread; every report is handed
// to the window's thread before a widget is touched.

#include "convert/MyConvertPara.h"
#include "ui/CStepDlg.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

class CConversionProgressDlg : public CStepDlg, public IConvertObserver {
    Q_OBJECT
public:
    explicit CConversionProgressDlg(QWidget* parent = nullptr);

    void Progress(int32_t percent) override;
    void Log(const std::string& line) override;
    void FileStarted(const std::string& source, const std::string& destination) override;
    void FileFinished(const std::string& source, const std::string& destination) override;

    // On the window's thread.
    void MarkFailed(const QString& source, const QString& reason);
    // Something a converted file lacks (pictures that could not be rendered), shown on its row.
    void MarkNote(const QString& source, const QString& note);
    void MarkSkipped(const QString& source);
    void ShowCancelling();
    void Reset();

signals:
    void cancelClicked();

private:
    void SetStatus(const QString& source, const QString& status, const QString& tip = {});

    QLabel* status_;
    QProgressBar* bar_;
    QTableWidget* table_;
    QPushButton* cancel_;
};
