#include <QRadioButton>
#include <filesystem>

#include "../WindowFixture.h"
#include "support/PdfWriter.h"
#include "ui/MainPanel.h"

namespace fs = std::filesystem;

namespace {

TEST_F(WindowTest, FastDocConversionLeavesOnlyTheDocument) {
    window->Panel()->AddFiles({QString::fromStdString(Pdf("report.pdf", 2))});
    fs::create_directory(dir / "out");
    testpdf::WriteFile(dir / "out/report.rtf", "the user's own");
    window->Panel()->SetOutputFolder(QString::fromStdString(dir / "out"));
    window->findChild<QRadioButton*>("formatDoc")->setChecked(true);
    window->findChild<QRadioButton*>("fastMethod")->setChecked(true);
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1) << (summary->failures.empty() ? "" : summary->failures[0].second);
    EXPECT_GT(fs::file_size(dir / "out/report.doc"), 0u);
    // The RTF on its way to the word processor never stood in the output folder.
    EXPECT_EQ(testpdf::ReadFile(dir / "out/report.rtf"), "the user's own");
}

}  // namespace
