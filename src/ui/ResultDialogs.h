#pragma once
// What the user is told after a batch: the completion notice, or the finish
// dialog that lists the results and opens them. Both always say how many files
// were converted and why the others were not.
#include <QDialog>
#include <functional>

#include "convert/CConvertWorker.h"

class QListWidget;

// "k of n converted." and one line per failure.
QString SummaryText(const BatchSummary& summary);

class CCompleteDlg : public QDialog {
    Q_OBJECT
public:
    CCompleteDlg(const BatchSummary& summary, QWidget* parent = nullptr);
};

class CFinishDlg : public QDialog {
    Q_OBJECT
public:
    // `open` hands a URL to the desktop (replaceable in tests).
    CFinishDlg(const BatchSummary& summary, const QString& resultsFolder, std::function<void(const QUrl&)> open,
               std::function<void(const QString&, const QString&)> message, QWidget* parent = nullptr);

    void OpenFile();
    void OpenFolder();
    QListWidget* Results() const { return list_; }

private:
    QString resultsFolder_;
    std::function<void(const QUrl&)> open_;
    std::function<void(const QString&, const QString&)> message_;
    QListWidget* list_;
};
