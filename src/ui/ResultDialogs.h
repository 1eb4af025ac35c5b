#pragma once
// What the user is told after a batch: the completion notice, or the finish
// dialog that lists the results and opens them. Both always say how many files
// were converted and why the others were not; their heading and icon tell a
// clean run from one with failures or a cancelled one.
#include <QDialog>
#include <QStringList>
#include <functional>

#include "convert/CConvertWorker.h"

class QListWidget;

// "k of n converted." with the counts of skipped, failed and not converted
// files, then one line per file that failed, was skipped or lacks something,
// and per file of `notConverted` (a cancelled batch's files it did not finish).
QString SummaryText(const BatchSummary& summary, const QStringList& notConverted = {});

// The first line of a notice: the design's text for a clean run, else what went wrong.
QString SummaryHeading(const BatchSummary& summary, bool finishDialog);
// Opens `url` on the desktop; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl&)>;
// Tells the user that `url` could not be opened (the design's hyperlink text).
QString UnableToOpenText(const QUrl& url);

class CompleteDialog : public QDialog {
    Q_OBJECT
public:
    CompleteDialog(const BatchSummary& summary, QWidget* parent = nullptr, const QStringList& notConverted = {});
    // An image job: says how many pictures were saved, and where.
    CompleteDialog(const BatchSummary& summary, const QString& outputFolder, QWidget* parent,
                 const QStringList& notConverted = {});
};

class FinishDialog : public QDialog {
    Q_OBJECT
public:
    // `open` hands a URL to the desktop (replaceable in tests).
    FinishDialog(const BatchSummary& summary, const QString& resultsFolder, UrlOpener open,
               std::function<void(const QString&, const QString&)> message, QWidget* parent = nullptr,
               const QStringList& notConverted = {});

    void OpenFile();
    void OpenFolder();
    QListWidget* Results() const { return list_; }

private:
    void Open(const QUrl& url);

    QString resultsFolder_;
    UrlOpener open_;
    std::function<void(const QString&, const QString&)> message_;
    QListWidget* list_;
};
