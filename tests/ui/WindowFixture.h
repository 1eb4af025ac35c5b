#pragma once
// A main window on its own record, with every question and notice answered by
// the test, and the results of a batch captured instead of shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <optional>

#include "convert/MyConvertPara.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the window's event loop until the batch has ended (or 60 seconds passed).
    bool WaitForBatchEnd();
    std::string Pdf(const std::string& name, int pages = 2);
    std::string Encrypted(const std::string& name, const std::string& user, const std::string& owner);

    testpdf::TempDir dir;
    MyConvertPara para;
    std::unique_ptr<MainWindow> window;
    std::vector<std::pair<QString, QString>> messages;  // caption, text
    std::vector<QString> questions;
    std::vector<QString> questionCaptions;
    std::function<bool(const QString&)> answer = [](const QString&) { return true; };
    std::vector<std::string> passwordsToType;
    std::vector<QUrl> opened;
    bool opensUrls = true;  // what the desktop's URL handling answers
    std::optional<BatchSummary> summary;
    QStringList notConverted;  // what the window hands the summary of a cancelled batch
};

// Saves a picture of `widget` into $VELLUMOR_SCREENSHOTS/<name>.png when that is set.
void Screenshot(QWidget& widget, const QString& name);
