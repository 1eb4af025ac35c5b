// Issue 24: the window tells the truth while it works, keeps what the user
// chose, and opens the files it is given.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTableWidget>
#include <filesystem>
#include <thread>

#include "WindowFixture.h"
#include "platform/InstanceLock.h"
#include "support/OfficeFiles.h"
#include "support/PdfWriter.h"
#include "ui/InstanceChannel.h"
#include "ui/MainPanel.h"
#include "ui/ProgressPage.h"
#include "ui/ResultDialogs.h"
#include "ui/SettingsPage.h"
#include "ui/UiPrompts.h"
#include "ui/UiTexts.h"

namespace fs = std::filesystem;

namespace {

QTableWidget* Progress(MainWindow& w) { return w.findChild<QTableWidget*>("progressTable"); }

int RowOf(MainWindow& w, const QString& name) {
    QTableWidget* table = Progress(w);
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text().endsWith(name)) return r;
    return -1;
}

QString Cell(MainWindow& w, const QString& name, int column) {
    int r = RowOf(w, name);
    return r < 0 ? QString() : Progress(w)->item(r, column)->text();
}

// Runs the event loop until `done` holds, for at most `ms`.
bool WaitUntil(const std::function<bool()>& done, int ms = 60000) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (done()) return true;
        QTest::qWait(10);
    }
    return done();
}

QString SavingDoc() { return QString(ui::text::kSavingAs).arg("DOC"); }

// A word processor on the PATH that takes its time: it writes its result only
// once the file <dir>/go exists, and leaves <dir>/saving-<name> while it waits.
class FakeOffice {
public:
    explicit FakeOffice(const std::string& dir) : dir_(dir), oldPath_(std::getenv("PATH")) {
        fs::create_directories(dir + "/bin");
        testpdf::WriteFile(dir + "/bin/soffice", R"(#!/bin/sh
outdir=""; filter=""; prev=""; last=""
for a in "$@"; do
  case "$prev" in --outdir) outdir="$a";; --convert-to) filter="$a";; esac
  prev="$a"; last="$a"
done
stem=$(basename "$last" .rtf)
touch ")" + dir + R"(/saving-$stem"
while [ ! -e ")" + dir + R"(/go" ]; do sleep 0.05; done
cp ")" + dir + R"(/result" "$outdir/$stem.${filter%%:*}"
)");
        // A whole DOC, as the converter reads its results back.
        testpdf::WriteFile(dir + "/result", testpdf::MinimalCompoundFile());
        fs::permissions(dir + "/bin/soffice", fs::perms::owner_all);
        setenv("PATH", (dir + "/bin:" + oldPath_).c_str(), 1);
    }
    ~FakeOffice() {
        Go();
        setenv("PATH", oldPath_.c_str(), 1);
    }
    void Go() { testpdf::WriteFile(dir_ + "/go", ""); }
    bool Saving(const std::string& stem) const { return fs::exists(dir_ + "/saving-" + stem); }

private:
    std::string dir_;
    std::string oldPath_;
};

void ChooseFast(MainWindow& w, const char* format) {
    w.findChild<QRadioButton*>(format)->setChecked(true);
    w.findChild<QRadioButton*>("fastMethod")->setChecked(true);
}

// Whatever a job leaves in the output folder besides results: RTFs on their way
// to the word processor and scratch folders.
std::vector<std::string> Litter(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory() || entry.path().extension() == ".rtf") found.push_back(name);
    }
    return found;
}

TEST_F(WindowTest, OutputFolderSurvivesAddAfterBrowse) {
    fs::create_directories(dir / "src");
    fs::create_directories(dir / "chosen");
    testpdf::NumberedPages(1).Save(dir / "src/a.pdf");
    testpdf::NumberedPages(1).Save(dir / "src/b.pdf");
    MainPanel* panel = window->Panel();
    QStringList toChoose = {QString::fromStdString(dir / "src/a.pdf")};
    window->Prompts().chooseFiles = [&] { return toChoose; };
    // Before any choice the sources' folder is taken.
    panel->findChild<QPushButton*>("addFiles")->click();
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir / "src/");
    window->Prompts().chooseFolder = [&](const QString&) { return QString::fromStdString(dir / "chosen"); };
    panel->findChild<QPushButton*>("browse")->click();
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir / "chosen/");
    toChoose = {QString::fromStdString(dir / "src/b.pdf")};
    panel->findChild<QPushButton*>("addFiles")->click();
    EXPECT_EQ(panel->FileCount(), 2);
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir / "chosen/");
    // Emptying the list keeps a chosen folder too.
    panel->findChild<QPushButton*>("removeAll")->click();
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir / "chosen/");
}

TEST_F(WindowTest, OutputFolderSurvivesAddAfterSettings) {
    fs::create_directories(dir / "src");
    fs::create_directories(dir / "from-settings");
    testpdf::NumberedPages(1).Save(dir / "src/a.pdf");
    window->ShowSettings();
    window->Settings()->findChild<QLineEdit*>("destDir")->setText(QString::fromStdString(dir / "from-settings"));
    window->Settings()->findChild<QPushButton*>("settingsOk")->click();
    MainPanel* panel = window->Panel();
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir / "from-settings");
    window->Prompts().chooseFiles = [&] { return QStringList{QString::fromStdString(dir / "src/a.pdf")}; };
    panel->findChild<QPushButton*>("addFiles")->click();
    EXPECT_EQ(panel->FileCount(), 1);
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir / "from-settings");
    // A folder typed into the field is a choice as well.
    panel->findChild<QPushButton*>("removeAll")->click();
    QLineEdit* field = panel->findChild<QLineEdit*>("outputFolder");
    field->clear();
    QTest::keyClicks(field, QString::fromStdString(dir.path()));
    panel->findChild<QPushButton*>("addFiles")->click();
    EXPECT_EQ(panel->OutputFolder().toStdString(), dir.path());
}

TEST_F(WindowTest, DocBatchShowsTheSavingStateAndTheBarStaysShortOfFull) {
    FakeOffice office(dir / "office");
    fs::create_directories(dir / "out");
    window->Panel()->AddFiles({QString::fromStdString(Pdf("report.pdf", 3))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    ChooseFast(*window, "formatDoc");
    window->StartConvert();
    ASSERT_TRUE(WaitUntil([&] { return Cell(*window, "report.pdf", 2) == SavingDoc(); }));
    auto* bar = window->Progress()->findChild<QProgressBar*>("progressBar");
    auto* status = window->Progress()->findChild<QLabel*>("statusLine");
    QTest::qWait(100);
    EXPECT_LT(bar->value(), 100);
    EXPECT_EQ(status->text(), "report.pdf: " + SavingDoc());
    Screenshot(*window, "progress-saving-as-doc");
    office.Go();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_TRUE(fs::exists(dir / "out/report.doc"));
    EXPECT_TRUE(Litter(dir / "out").empty());
}

TEST_F(WindowTest, TwoFilesAtOnceEachHaveTheirRowWhileRunning) {
    if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one processor: files convert one after another";
    FakeOffice office(dir / "office");
    fs::create_directories(dir / "out");
    window->Panel()->AddFiles({QString::fromStdString(Pdf("first.pdf", 2)), QString::fromStdString(Pdf("second.pdf", 2))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    ChooseFast(*window, "formatDoc");
    window->StartConvert();
    // Both rows stand from the start of their runs, before either result is written.
    ASSERT_TRUE(WaitUntil([&] { return RowOf(*window, "first.pdf") >= 0 && RowOf(*window, "second.pdf") >= 0; }));
    ASSERT_TRUE(WaitUntil([&] {
        return Cell(*window, "first.pdf", 2) == SavingDoc() && Cell(*window, "second.pdf", 2) == SavingDoc();
    }));
    EXPECT_EQ(Progress(*window)->rowCount(), 2);
    auto* status = window->Progress()->findChild<QLabel*>("statusLine");
    EXPECT_TRUE(status->text().startsWith("first.pdf: ") || status->text().startsWith("second.pdf: "))
        << status->text().toStdString();
    EXPECT_LT(window->Progress()->findChild<QProgressBar*>("progressBar")->value(), 100);
    Screenshot(*window, "progress-two-files-saving");
    office.Go();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 2);
}

TEST_F(WindowTest, CancelDuringADocBatchLeavesNoInBetweenFileAndKeepsTheRest) {
    FakeOffice office(dir / "office");
    fs::create_directories(dir / "out");
    std::string locked = Encrypted("locked.pdf", "reader", "keeper");
    passwordsToType = {"reader"};
    window->Panel()->AddFiles({QString::fromStdString(Pdf("one.pdf", 2)), QString::fromStdString(locked),
                               QString::fromStdString(Pdf("three.pdf", 2))});
    ASSERT_EQ(window->Panel()->FileCount(), 3);
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    ChooseFast(*window, "formatDoc");
    window->StartConvert();
    ASSERT_TRUE(WaitUntil([&] { return office.Saving("one") || office.Saving("locked"); }));
    window->Progress()->findChild<QPushButton*>("cancelBatch")->click();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_TRUE(summary->cancelled);
    EXPECT_EQ(summary->converted, 0);
    EXPECT_TRUE(Litter(dir / "out").empty()) << Litter(dir / "out").front();
    // The closing summary names what was not converted; the files stay listed, with their passwords.
    EXPECT_EQ(notConverted.size(), 3);
    EXPECT_TRUE(SummaryText(*summary, notConverted).contains("3 not converted")) << SummaryText(*summary, notConverted).toStdString();
    EXPECT_EQ(SummaryHeading(*summary, false), ui::text::kCancelledHeading);
    EXPECT_EQ(window->Panel()->FileCount(), 3);
    EXPECT_EQ(window->CurrentPage(), window->Panel());

    // A second press goes on with them; the encrypted one still has its password.
    office.Go();
    summary.reset();
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 3) << SummaryText(*summary).toStdString();
    EXPECT_TRUE(fs::exists(dir / "out/locked.doc"));
    EXPECT_EQ(window->Panel()->FileCount(), 0);
}

TEST_F(WindowTest, NoAtTheReplaceQuestionIsListedAsSkipped) {
    fs::create_directory(dir / "out");
    testpdf::WriteFile(dir / "out/kept.rtf", "the user's own");
    answer = [](const QString&) { return false; };
    window->Panel()->AddFiles({QString::fromStdString(Pdf("kept.pdf")), QString::fromStdString(Pdf("new.pdf"))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    ChooseFast(*window, "formatRtf");
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1);
    EXPECT_EQ(summary->skipped, 1);
    ASSERT_EQ(summary->skippedFiles.size(), 1u);
    QString text = SummaryText(*summary);
    EXPECT_TRUE(text.startsWith("1 of 2 converted. 1 skipped.")) << text.toStdString();
    EXPECT_TRUE(text.contains("kept.pdf: skipped: the existing " + QString::fromStdString(dir / "out/kept.rtf") +
                              " is kept"))
        << text.toStdString();
    EXPECT_EQ(Cell(*window, "kept.pdf", 2), ui::text::kSkipped);
    EXPECT_TRUE(Cell(*window, "kept.pdf", ProgressPage::kDetailsColumn).contains("is kept"));
    // A skipped file is the user's choice, not a failure.
    EXPECT_EQ(SummaryHeading(*summary, true), ui::text::kCompletes);
}

QLabel* Heading(QDialog& d) { return d.findChild<QLabel*>("resultHeading"); }
int Icon(QDialog& d) { return d.findChild<QLabel*>("resultIcon")->property("standardIcon").toInt(); }

TEST(ResultHeading, AFailedFileChangesTheFinishHeadingAndIcon) {
    BatchSummary clean;
    clean.total = 1;
    clean.converted = 1;
    clean.results = {"/data/out/a.doc"};
    auto open = [](const QUrl&) { return true; };
    auto message = [](const QString&, const QString&) {};
    FinishDialog good(clean, "/data/out", open, message);
    EXPECT_EQ(Heading(good)->text(), ui::text::kCompletes);
    EXPECT_EQ(Icon(good), QStyle::SP_MessageBoxInformation);

    BatchSummary partial = clean;
    partial.total = 2;
    partial.failures = {{"/data/big.pdf", "LibreOffice did not finish within 300 seconds; the RTF /data/out/big.rtf is kept"}};
    FinishDialog bad(partial, "/data/out", open, message);
    EXPECT_EQ(Heading(bad)->text(), QString(ui::text::kSomeFailedHeading).arg(1).arg(2));
    EXPECT_EQ(Icon(bad), QStyle::SP_MessageBoxWarning);
    bad.show();
    Screenshot(bad, "finish-dialog-partial-failure");

    BatchSummary none;
    none.total = 1;
    none.failures = {{"/data/c.pdf", "unreadable or not a PDF"}};
    CompleteDialog failed(none);
    EXPECT_EQ(Heading(failed)->text(), ui::text::kAllFailedHeading);
    EXPECT_EQ(Icon(failed), QStyle::SP_MessageBoxCritical);
    CompleteDialog fine(clean);
    EXPECT_EQ(Heading(fine)->text(), ui::text::kComplete);
}

TEST(ResultHeading, ACancelledBatchSaysWhatWasConvertedFailedSkippedAndNotConverted) {
    BatchSummary s;
    s.total = 4;
    s.converted = 1;
    s.cancelled = true;
    s.convertedFiles = {"/in/a.pdf"};
    s.failures = {{"/in/b.pdf", "unreadable or not a PDF"}};
    s.skipped = 1;
    s.skippedFiles = {{"/in/c.pdf", "the existing /out/c.rtf is kept"}};
    QString text = SummaryText(s, {"/in/d.pdf"});
    EXPECT_EQ(text, "1 of 4 converted. 1 skipped. 1 failed. 1 not converted (cancelled).\n"
                    "b.pdf: unreadable or not a PDF\n"
                    "c.pdf: skipped: the existing /out/c.rtf is kept\n"
                    "d.pdf: not converted: the conversion was cancelled\n"
                    "a.pdf: converted");
    CompleteDialog notice(s, nullptr, {"/in/d.pdf"});
    EXPECT_EQ(Heading(notice)->text(), ui::text::kCancelledHeading);
    EXPECT_EQ(Icon(notice), QStyle::SP_MessageBoxWarning);
    notice.show();
    Screenshot(notice, "complete-dialog-cancelled");
}

TEST(ResultHeading, TheImageNoticeSaysHowManyPicturesAndWhere) {
    testpdf::TempDir dir;
    fs::create_directories(dir / "pics/page1");
    fs::create_directories(dir / "pics/page2");
    for (const char* f : {"pics/page1/a.jpg", "pics/page1/b.jpg", "pics/page2/c.jpg"}) testpdf::WriteFile(dir / f, "x");
    BatchSummary s;
    s.total = 1;
    s.converted = 1;
    s.results = {dir / "pics/page1", dir / "pics/page2"};
    CompleteDialog notice(s, QString::fromStdString(dir.path()), nullptr);
    QString text = notice.findChild<QLabel*>("resultText")->text();
    EXPECT_TRUE(text.startsWith(QString(ui::text::kPicturesSaved).arg(3).arg(QString::fromStdString(dir / "pics"))))
        << text.toStdString();
}

TEST_F(WindowTest, AnEmptyOrUnreadablePdfIsFlaggedWhenAdded) {
    testpdf::WriteFile(dir / "empty.pdf", "");
    window->Panel()->AddFiles({QString::fromStdString(Pdf("fine.pdf", 2)), QString::fromStdString(dir / "empty.pdf")});
    ASSERT_EQ(window->Panel()->FileCount(), 2);
    auto* table = window->findChild<QTableWidget*>("fileTable");
    EXPECT_EQ(table->item(0, 2)->text(), "2");
    EXPECT_EQ(table->item(1, 2)->text(), ui::text::kUnreadableNote);
    EXPECT_FALSE(window->Panel()->FileNote(QString::fromStdString(dir / "empty.pdf")).isEmpty());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().first, ui::text::kWarning);
    EXPECT_TRUE(messages.back().second.startsWith("empty.pdf cannot be opened: ")) << messages.back().second.toStdString();
    Screenshot(*window, "main-panel-unreadable-file");
}

TEST_F(WindowTest, FailureReasonsStandInTheirOwnColumn) {
    testpdf::WriteFile(dir / "broken.pdf", "not a PDF");
    window->Panel()->AddFiles({QString::fromStdString(Pdf("good.pdf")), QString::fromStdString(dir / "broken.pdf")});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    ChooseFast(*window, "formatRtf");
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    EXPECT_EQ(Cell(*window, "broken.pdf", 2), ui::text::kFailed);
    EXPECT_EQ(Cell(*window, "broken.pdf", ProgressPage::kDetailsColumn), "unreadable or not a PDF");
    EXPECT_EQ(Cell(*window, "broken.pdf", 1), "");
    EXPECT_EQ(Cell(*window, "good.pdf", 2), ui::text::kSuccess);
}

TEST_F(WindowTest, FilesOnTheCommandLineAreListed) {
    std::string a = Pdf("given.pdf", 2);
    QStringList files = ui::FilesFromArguments({"given.pdf", "--verbose", "file://" + QString::fromStdString(dir / "other.pdf")},
                                               QString::fromStdString(dir.path()));
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].toStdString(), a);
    window->OpenArguments({"given.pdf"}, QString::fromStdString(dir.path()));
    ASSERT_TRUE(WaitUntil([&] { return window->Panel()->FileCount() == 1; }, 5000));
    EXPECT_EQ(window->Panel()->Files().front().toStdString(), a);
    EXPECT_EQ(window->Panel()->OutputFolder().toStdString(), dir.path() + "/");
}

TEST_F(WindowTest, ASecondStartHandsItsFileToTheFirstWindow) {
    testpdf::TempDir runtime;
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    std::string keptRuntime = oldRuntime ? oldRuntime : "";
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    {
        platform::InstanceLock lock("vellumor");
        ASSERT_FALSE(lock.AnotherInstanceRuns());
        ui::InstanceChannel channel([this](const QStringList& files) { window->AddFilesFromOutside(files); });
        ASSERT_TRUE(channel.Listening());
        window->showMinimized();
        std::string file = Pdf("handed.pdf", 3);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess second;
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(QString::fromStdString(dir.path()));
        second.start(QString(VELLUMOR_BIN_DIR) + "/vellumor", {"handed.pdf"});
        ASSERT_TRUE(second.waitForStarted(10000));
        ASSERT_TRUE(WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 20000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        ASSERT_TRUE(WaitUntil([&] { return window->Panel()->FileCount() == 1; }, 5000));
        EXPECT_EQ(window->Panel()->Files().front().toStdString(), file);
        EXPECT_FALSE(window->isMinimized());
        Screenshot(*window, "window-after-second-start");
    }
    if (oldRuntime) setenv("XDG_RUNTIME_DIR", keptRuntime.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(WindowTest, AMissingUrlHandlerShowsAMessage) {
    opensUrls = false;
    window->OpenLink(QUrl::fromLocalFile(QString::fromStdString(dir / "manual.html")));
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().second.startsWith("Unable to open hyperlink:\n\n" + QString::fromStdString(dir / "manual.html")))
        << messages.back().second.toStdString();
    // Help with no manual installed says so too.
    size_t before = messages.size();
    window->ShowHelp();
    EXPECT_GT(messages.size(), before);
}

// The desktop's own opener (xdg-open) finds no program: the window's default handling says so.
TEST_F(WindowTest, XdgOpenWithoutAHandlerShowsAMessage) {
    fs::create_directories(dir / "bin");
    testpdf::WriteFile(dir / "bin/xdg-open", "#!/bin/sh\necho 'xdg-open: no method available for opening' >&2\nexit 3\n");
    fs::permissions(dir / "bin/xdg-open", fs::perms::owner_all);
    std::string oldPath = std::getenv("PATH");
    setenv("PATH", (dir / "bin:" + oldPath).c_str(), 1);
    MyConvertPara otherPara;
    MainWindow other(otherPara);
    std::vector<QString> told;
    other.Prompts().message = [&](const QString&, const QString& text) { told.push_back(text); };
    other.OpenLink(QUrl::fromLocalFile(QString::fromStdString(dir.path())));
    bool said = WaitUntil([&] { return !told.empty(); }, 10000);
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(said);
    EXPECT_TRUE(told[0].startsWith("Unable to open hyperlink:")) << told[0].toStdString();
}

TEST_F(WindowTest, PreserveCharacterSpacingIsShownNotApplicable) {
    auto* preserve = window->Settings()->findChild<QComboBox*>("preserve");
    ASSERT_NE(preserve, nullptr);
    EXPECT_FALSE(preserve->isEnabled());
    EXPECT_EQ(preserve->toolTip(), ui::text::kPreserveNotApplicable);
}

}  // namespace

namespace {

// The window's own notices: the warning or error icon, and wide enough for their title.
TEST(Notices, ErrorBoxesUseTheWarningOrErrorIconAndFitTheirTitle) {
    ui::UiPrompts prompts = ui::DialogPrompts(nullptr);
    for (const char* caption : {ui::text::kError, ui::text::kWarning, ""}) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int width = 0, titleWidth = 0;
        QString title;
        QTimer::singleShot(50, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible()) continue;
                icon = box->icon();
                width = box->width();
                title = box->windowTitle();
                QFont bold = box->font();
                bold.setBold(true);
                titleWidth = QFontMetrics(bold).horizontalAdvance(title);
                Screenshot(*box, QString("notice-") + (*caption ? caption : "untitled"));
                box->accept();
            }
        });
        prompts.message(caption, "Please Add a PDF file!");
        EXPECT_EQ(icon, caption == std::string(ui::text::kError) ? QMessageBox::Critical : QMessageBox::Warning);
        EXPECT_EQ(title, *caption ? QString(caption) : QString(ui::text::kAppTitle));
        EXPECT_GT(width, titleWidth + 100);
    }
}

}  // namespace

namespace {

TEST_F(WindowTest, TheFileListShowsAtLeastEightRowsAndItsColumnsFitTheirTexts) {
    QStringList files;
    for (int i = 0; i < 9; ++i) files << QString::fromStdString(Pdf("file" + std::to_string(i) + ".pdf", 1));
    window->Panel()->AddFiles(files);
    QTest::qWait(20);
    auto* table = window->findChild<QTableWidget*>("fileTable");
    ASSERT_EQ(table->rowCount(), 9);
    EXPECT_GE(table->viewport()->height() / table->rowHeight(0), 8);
    // The size and page columns are as wide as their widest text.
    for (int c = 1; c < 3; ++c)
        for (int r = 0; r < table->rowCount(); ++r)
            EXPECT_LE(table->fontMetrics().horizontalAdvance(table->item(r, c)->text()), table->columnWidth(c));
    auto* pageText = window->findChild<QLineEdit*>("pageText");
    EXPECT_GE(pageText->width(), pageText->fontMetrics().horizontalAdvance(pageText->placeholderText()));
    Screenshot(*window, "main-panel-nine-files");
}

}  // namespace
