#pragma once
// "Conversion Progress": the status line, the bar and the batch's files while a
// batch runs. The job reports from the worker's thread; every report is handed
// to the window's thread before a widget is touched.

#include "convert/MyConvertPara.h"
#include "ui/WindowPage.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

class ProgressPage : public WindowPage, public IConvertObserver {
    Q_OBJECT
public:
    explicit ProgressPage(QWidget* parent = nullptr);

    void Progress(int32_t percent) override;
    void Log(const std::string& line) override;
    void FileStarted(const std::string& source, const std::string& destination) override;
    void FileFinished(const std::string& source, const std::string& destination) override;
    void FileLog(const std::string& source, const std::string& line) override;
    void FileSaving(const std::string& source) override;

    // On the window's thread.
    // A file of the batch begins: it has its row from now on.
    void MarkBegins(const QString& source);
    void MarkFailed(const QString& source, const QString& reason);
    // Something a converted file lacks (pictures that could not be rendered), shown on its row.
    void MarkNote(const QString& source, const QString& note);
    void MarkSkipped(const QString& source, const QString& reason = {});
    void ShowCancelling();
    // The batch has ended: the bar is full when it ended by itself; rows still running are marked cancelled.
    void ShowEnded(bool cancelled);
    // `officeFormat` is "doc", "docx" or "odt" for a batch whose results the word processor writes, else empty.
    void Reset(const QString& officeFormat = {});

    // Column of the table: the reason a file failed or was skipped, and notes.
    static constexpr int kDetailsColumn = 3;

signals:
    void cancelClicked();

private:
    int Row(const QString& source, bool create);
    void SetStatus(const QString& source, const QString& status, const QString& details = {});
    void ShowLine(const QString& source, const QString& line);
    void UpdateBarText();
    QString SavingText() const;

    QLabel* status_;
    QProgressBar* bar_;
    QTableWidget* table_;
    QPushButton* cancel_;
    QString officeFormat_;
    QString current_;  // the file the status lines of a one-at-a-time batch belong to
};
