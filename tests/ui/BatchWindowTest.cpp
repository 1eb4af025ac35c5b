#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <filesystem>

#include "WindowFixture.h"
#include "pagegraphics/PicturePdf.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "ui/MainPanel.h"
#include "ui/PasswordDialog.h"
#include "ui/ProgressPage.h"
#include "ui/ResultDialogs.h"
#include "ui/UiTexts.h"

namespace fs = std::filesystem;

namespace {

// The status of the row whose file name ends with `name` (files of a batch may finish in any order).
QString Status(MainWindow& w, const QString& name) {
    auto* table = w.findChild<QTableWidget*>("progressTable");
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text().endsWith(name)) return table->item(r, 2)->text();
    return {};
}

void ChooseRtf(MainWindow& w) {
    w.findChild<QRadioButton*>("formatRtf")->setChecked(true);
    w.findChild<QRadioButton*>("fastMethod")->setChecked(true);
}

TEST_F(WindowTest, FastRtfConversionOfAPlainAndAnEncryptedFile) {
    std::string plain = Pdf("plain.pdf", 3);
    std::string locked = Encrypted("locked.pdf", "reader", "keeper");
    passwordsToType = {"reader"};
    window->Panel()->AddFiles({QString::fromStdString(plain), QString::fromStdString(locked)});
    fs::create_directory(dir / "out");
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    ChooseRtf(*window);
    window->StartConvert();
    EXPECT_EQ(window->findChild<QStackedWidget*>("pages")->currentWidget(), window->Progress());
    Screenshot(*window, "window-during-batch");
    ASSERT_TRUE(WaitForBatchEnd());

    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 2);
    EXPECT_TRUE(summary->failures.empty());
    EXPECT_EQ(Status(*window, "/plain.pdf"), ui::text::kSuccess);
    EXPECT_EQ(Status(*window, "/locked.pdf"), ui::text::kSuccess);
    std::string text = testpdf::RtfPlainText(testpdf::ReadFile(dir / "out/locked.rtf"));
    EXPECT_NE(text.find("Page 2 of the test document"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "out/plain.rtf"));
    // Back on the main panel with an empty list, ready for the next batch.
    EXPECT_EQ(window->findChild<QStackedWidget*>("pages")->currentWidget(), window->Panel());
    EXPECT_EQ(window->Panel()->FileCount(), 0);
    EXPECT_FALSE(window->BatchRunning());
}

TEST_F(WindowTest, ExistingResultIsReplacedOnlyAfterYes) {
    fs::create_directory(dir / "out");
    testpdf::WriteFile(dir / "out/a.rtf", "the user's own");
    answer = [](const QString&) { return false; };
    window->Panel()->AddFiles({QString::fromStdString(Pdf("a.pdf"))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    ChooseRtf(*window);
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QString::fromStdString(dir / "out/a.rtf") + " already exists. Do you want to replace it?");
    EXPECT_EQ(testpdf::ReadFile(dir / "out/a.rtf"), "the user's own");
    EXPECT_EQ(summary->skipped, 1);
}

TEST_F(WindowTest, CancelAnsweredYesStopsTheBatchAndKeepsTheUnconvertedFiles) {
    std::vector<QString> files;
    for (int i = 0; i < 4; ++i) files.push_back(QString::fromStdString(Pdf("long" + std::to_string(i) + ".pdf", 60)));
    window->Panel()->AddFiles(QStringList(files.begin(), files.end()));
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    ChooseRtf(*window);
    window->StartConvert();
    // The question is open while the worker is held; the page stays until the worker has ended.
    window->Progress()->findChild<QPushButton*>("cancelBatch")->click();
    EXPECT_EQ(questions.back(), ui::text::kCancelQuestion);
    EXPECT_EQ(questionCaptions.back(), "Vellumor");  // the program's name, not an old product's
    EXPECT_EQ(window->findChild<QStackedWidget*>("pages")->currentWidget(), window->Progress());
    ASSERT_TRUE(WaitForBatchEnd());
    // The closing summary says what was done; the files not converted stay listed for the next start.
    ASSERT_TRUE(summary.has_value());
    EXPECT_TRUE(summary->cancelled);
    EXPECT_FALSE(fs::exists(dir / "long3.rtf"));
    EXPECT_EQ(window->Panel()->FileCount(), 4 - summary->converted);
    EXPECT_EQ(notConverted.size() + summary->converted + summary->failures.size(), 4);
    // An RTF the cancel cut short is named, not left without a word.
    for (int i = 0; i < 4; ++i) {
        std::string rtf = dir / ("long" + std::to_string(i) + ".rtf");
        if (!fs::exists(rtf)) continue;
        bool named = false;
        for (const auto& [source, note] : summary->notes) named = named || note.find(rtf) != std::string::npos;
        bool converted = std::find(summary->convertedFiles.begin(), summary->convertedFiles.end(),
                                   dir / ("long" + std::to_string(i) + ".pdf")) != summary->convertedFiles.end();
        EXPECT_TRUE(named || converted) << rtf;
    }
    EXPECT_EQ(window->findChild<QStackedWidget*>("pages")->currentWidget(), window->Panel());
}

TEST_F(WindowTest, DocWithoutLibreOfficeIsRefusedAtTheStart) {
    window->Panel()->AddFiles({QString::fromStdString(Pdf("a.pdf"))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    window->findChild<QRadioButton*>("formatDoc")->setChecked(true);
    window->findChild<QRadioButton*>("fastMethod")->setChecked(true);
    std::string oldPath = std::getenv("PATH");
    setenv("PATH", (dir / "empty-bin").c_str(), 1);
    window->StartConvert();
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_FALSE(window->BatchRunning());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().second, ui::text::kNoWordProcessor);
    EXPECT_FALSE(fs::exists(dir / "a.rtf"));
}

TEST_F(WindowTest, FailuresAreReportedWithTheirReasons) {
    std::string notPdf = dir / "broken.pdf";
    testpdf::WriteFile(notPdf, "not a PDF");
    window->Panel()->AddFiles({QString::fromStdString(Pdf("good.pdf")), QString::fromStdString(notPdf)});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    ChooseRtf(*window);
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1);
    ASSERT_EQ(summary->failures.size(), 1u);
    QString text = SummaryText(*summary);
    EXPECT_TRUE(text.startsWith("1 of 2 converted.")) << text.toStdString();
    EXPECT_TRUE(text.contains("broken.pdf: unreadable")) << text.toStdString();
    EXPECT_EQ(Status(*window, "/broken.pdf"), ui::text::kFailed);
    Screenshot(*window->Progress(), "progress-page");
}

// A result that lacks its pictures (no Ghostscript) is a success the user must
// still hear about: in the file's row and in the closing summary.
TEST_F(WindowTest, MissingPicturesAreToldOnTheRowAndInTheSummary) {
    testpdf::DeepPicturePdf(3).Save(dir / "pics.pdf");
    fs::create_directories(dir / "no-gs-bin");
    window->Panel()->AddFiles({QString::fromStdString(dir / "pics.pdf")});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    ChooseRtf(*window);
    std::string oldPath = std::getenv("PATH");
    setenv("PATH", (dir / "no-gs-bin").c_str(), 1);
    window->StartConvert();
    bool ended = WaitForBatchEnd();
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(ended);
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1);
    ASSERT_EQ(summary->notes.size(), 1u);
    QString text = SummaryText(*summary);
    EXPECT_TRUE(text.contains("pics.pdf: 3 pictures could not be rendered")) << text.toStdString();
    auto* table = window->findChild<QTableWidget*>("progressTable");
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 2)->text(), ui::text::kSuccess);
    EXPECT_TRUE(table->item(0, 0)->toolTip().contains("Ghostscript")) << table->item(0, 0)->toolTip().toStdString();
    CompleteDialog notice(*summary);
    notice.adjustSize();
    Screenshot(notice, "complete-dialog-with-note");
}

TEST(FinishDialog, ListsTheResultsAndOpensTheChosenOne) {
    BatchSummary s;
    s.total = 3;
    s.converted = 2;
    s.results = {"/data/out/a.rtf", "/data/out/b.rtf"};
    s.failures = {{"/data/c.pdf", "encrypted: wrong password"}};
    std::vector<QUrl> opened;
    std::vector<QString> messages;
    FinishDialog dialog(s, "/data/out", [&](const QUrl& u) { opened.push_back(u); return true; },
                      [&](const QString&, const QString& t) { messages.push_back(t); });
    ASSERT_EQ(dialog.Results()->count(), 2);
    EXPECT_EQ(dialog.Results()->currentRow(), 0);
    dialog.Results()->setCurrentRow(1);
    dialog.OpenFile();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile("/data/out/b.rtf"));
    dialog.OpenFolder();
    EXPECT_EQ(opened.back(), QUrl::fromLocalFile("/data/out"));
    dialog.Results()->setCurrentItem(nullptr);
    dialog.OpenFile();
    EXPECT_EQ(messages.back(), ui::text::kChooseFile);
    dialog.show();
    Screenshot(dialog, "finish-dialog");
    CompleteDialog complete(s);
    complete.show();
    Screenshot(complete, "complete-dialog");
}

TEST(PasswordPrompt, AsksForTheFilesPasswordMasked) {
    PasswordDialog dialog("/data/locked.pdf");
    auto* field = dialog.findChild<QLineEdit*>("passwordField");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    field->setText("secret");
    EXPECT_EQ(dialog.Password(), "secret");
    dialog.show();
    Screenshot(dialog, "password-prompt");
}

TEST(SecondInstance, EndsAtOnceWithStatusZero) {
    testpdf::TempDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString program = QString(VELLUMOR_BIN_DIR) + "/vellumor";
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first one holds the lock once its lock file exists.
    for (int i = 0; i < 200 && !fs::exists(runtime / "vellumor.lock"); ++i) QTest::qWait(25);
    QTest::qWait(200);
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}

}  // namespace

namespace {

TEST_F(WindowTest, ClosingDuringABatchAsksThenWaitsForTheWorker) {
    QStringList files;
    for (int i = 0; i < 3; ++i) files << QString::fromStdString(Pdf("c" + std::to_string(i) + ".pdf", 60));
    window->Panel()->AddFiles(files);
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    ChooseRtf(*window);
    window->StartConvert();
    EXPECT_FALSE(window->close());  // still running: the window stays until the worker ends
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], ui::text::kCloseDuringBatch);
    ASSERT_TRUE(WaitForBatchEnd());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(summary.has_value());
}

}  // namespace
