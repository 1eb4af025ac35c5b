#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "WindowFixture.h"
#include "support/PdfWriter.h"
#include "ui/MainPanel.h"
#include "ui/UiTexts.h"

namespace {

QTableWidget* FileTable(MainWindow& w) { return w.findChild<QTableWidget*>("fileTable"); }

TEST(FileSize, GroupsOfThreeDigits) {
    EXPECT_EQ(FormatByteSize(1234567), "1,234,567 Byte");
    EXPECT_EQ(FormatByteSize(999), "999 Byte");
    EXPECT_EQ(FormatByteSize(1000), "1,000 Byte");
    EXPECT_EQ(FormatByteSize(0), "0 Byte");
}

TEST_F(WindowTest, AddsPlainAndEncryptedFilesWithPageCountsAndTheirOwnPasswords) {
    std::string plain = Pdf("plain.pdf", 3);
    std::string locked = Encrypted("locked.pdf", "reader", "keeper");
    std::string other = Encrypted("other.pdf", "second", "owner2");
    passwordsToType = {"keeper", "wrong", "second"};
    window->Panel()->AddFiles({QString::fromStdString(plain), QString::fromStdString(locked),
                               QString::fromStdString(other), QString::fromStdString(plain)});
    QTableWidget* table = FileTable(*window);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 0)->text().toStdString(), plain);
    EXPECT_EQ(table->item(0, 2)->text(), "3");
    EXPECT_TRUE(table->item(0, 1)->text().endsWith(" Byte"));
    EXPECT_EQ(table->item(1, 2)->text(), "2");
    EXPECT_EQ(table->item(2, 2)->text(), "2");
    // The same file twice is listed once.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, ui::text::kFileExists);
    EXPECT_EQ(messages[0].first, ui::text::kWarning);

    std::vector<BatchFile> batch;
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    ASSERT_TRUE(window->Panel()->StartCheck(para, batch)) << (messages.empty() ? "" : messages.back().second.toStdString());
    ASSERT_EQ(batch.size(), 3u);
    EXPECT_EQ(batch[0].password, "");
    EXPECT_EQ(batch[1].password, "keeper");
    EXPECT_EQ(batch[2].password, "second");
    Screenshot(*window, "main-panel");
}

TEST_F(WindowTest, WrongPasswordCanBeSkippedAndCancelEndsTheAdding) {
    std::string locked = Encrypted("locked.pdf", "reader", "keeper");
    std::string plain = Pdf("plain.pdf");
    passwordsToType = {"wrong"};  // then no retry: the file is skipped, the next one added
    window->Panel()->AddFiles({QString::fromStdString(locked), QString::fromStdString(plain)});
    EXPECT_EQ(FileTable(*window)->rowCount(), 1);
    window->Panel()->ClearFiles();
    passwordsToType = {};  // "Cancel" on the prompt: nothing after it is added
    window->Panel()->AddFiles({QString::fromStdString(locked), QString::fromStdString(plain)});
    EXPECT_EQ(FileTable(*window)->rowCount(), 0);
}

TEST_F(WindowTest, StartCheckNamesEveryProblem) {
    auto lastMessage = [this] { return messages.empty() ? QString() : messages.back().second; };
    std::vector<BatchFile> batch;
    MainPanel* panel = window->Panel();
    EXPECT_FALSE(panel->StartCheck(para, batch));
    EXPECT_EQ(lastMessage(), ui::text::kNoFile);

    panel->AddFiles({QString::fromStdString(Pdf("a.pdf", 2))});
    window->findChild<QRadioButton*>("pageNumbers")->setChecked(true);
    EXPECT_FALSE(panel->StartCheck(para, batch));
    EXPECT_EQ(lastMessage(), ui::text::kNoPageNumber);

    window->findChild<QLineEdit*>("pageText")->setText("5-9");
    panel->SetOutputFolder(QString::fromStdString(dir.path()));
    EXPECT_FALSE(panel->StartCheck(para, batch));
    EXPECT_EQ(lastMessage(), ui::text::kPageListSelectsNothing);

    window->findChild<QLineEdit*>("pageText")->setText("2");
    panel->SetOutputFolder(QString::fromStdString(dir / "missing"));
    EXPECT_FALSE(panel->StartCheck(para, batch));
    EXPECT_TRUE(lastMessage().contains("does not exist")) << lastMessage().toStdString();

    panel->SetOutputFolder("");
    EXPECT_FALSE(panel->StartCheck(para, batch));
    EXPECT_EQ(lastMessage(), ui::text::kNoSavePath);

    std::filesystem::create_directory(dir / "sub");
    testpdf::NumberedPages(1).Save(dir / "sub/a.pdf");
    panel->AddFiles({QString::fromStdString(dir / "sub/a.pdf")});
    panel->SetOutputFolder(QString::fromStdString(dir.path()));
    EXPECT_FALSE(panel->StartCheck(para, batch));
    EXPECT_TRUE(lastMessage().contains("same result")) << lastMessage().toStdString();
}

TEST_F(WindowTest, RemoveNeedsASelectionAndEmptyingClearsTheFolder) {
    MainPanel* panel = window->Panel();
    panel->findChild<QPushButton*>("remove")->click();
    EXPECT_EQ(messages.back().second, ui::text::kNoPdf);
    panel->AddFiles({QString::fromStdString(Pdf("a.pdf")), QString::fromStdString(Pdf("b.pdf"))});
    panel->SetOutputFolder(QString::fromStdString(dir.path()));
    panel->findChild<QPushButton*>("remove")->click();
    EXPECT_EQ(messages.back().second, ui::text::kSelectToRemove);
    FileTable(*window)->selectRow(0);
    panel->findChild<QPushButton*>("remove")->click();
    ASSERT_EQ(FileTable(*window)->rowCount(), 1);
    EXPECT_TRUE(FileTable(*window)->item(0, 0)->text().endsWith("b.pdf"));
    panel->findChild<QPushButton*>("removeAll")->click();
    EXPECT_EQ(panel->FileCount(), 0);
    EXPECT_EQ(panel->OutputFolder(), "");
}

TEST_F(WindowTest, DroppedPdfFilesAreAdded) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(Pdf("dropped.pdf", 4))),
                  QUrl::fromLocalFile(QString::fromStdString(dir / "notes.txt"))});
    MainPanel* panel = window->Panel();
    QPoint at(40, 80);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &drop);
    ASSERT_EQ(FileTable(*window)->rowCount(), 1);
    EXPECT_EQ(FileTable(*window)->item(0, 2)->text(), "4");
}

}  // namespace
