#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextStream>
#include <algorithm>
#include <filesystem>

#include "WindowFixture.h"
#include "pagegraphics/PicturePdf.h"
#include "platform/Registry.h"
#include "platform/TextRecognition.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "ui/ImageWizard.h"
#include "ui/MainPanel.h"
#include "ui/ProgressPage.h"
#include "ui/Settings.h"
#include "ui/SettingsPage.h"
#include "ui/StartValues.h"
#include "ui/UiTexts.h"
#include "ui/WordWizard.h"

namespace fs = std::filesystem;

namespace {

// Every visible text of a page, with the widget tree as "class name 'text' visible geometry" lines.
QString WidgetTree(QWidget& page) {
    QString dump;
    QTextStream out(&dump);
    for (QWidget* w : page.findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(w)) text = edit->text();
        else if (auto* box = qobject_cast<QComboBox*>(w)) text = box->currentText();
        QRect g = w->geometry();
        out << w->metaObject()->className() << " " << w->objectName() << " '" << text << "' "
            << (w->isVisibleTo(&page) ? "shown" : "hidden") << " " << g.x() << "," << g.y() << " " << g.width() << "x"
            << g.height() << "\n";
    }
    return dump;
}

void ExpectTexts(QWidget& page, const std::vector<const char*>& texts, const QString& name) {
    QString tree = WidgetTree(page);
    for (const char* t : texts) EXPECT_TRUE(tree.contains(QString("'") + t)) << name.toStdString() << " lacks " << t;
    if (const char* folder = std::getenv("VELLUMOR_SCREENSHOTS"); folder && *folder) {
        QFile f(QString(folder) + "/" + name + ".txt");
        if (f.open(QIODevice::WriteOnly)) f.write(tree.toUtf8());
    }
}

std::string Stored(const char* name) {
    std::string value;
    platform::RegistryRead(ui::kSettingsKey, name, value);
    return value;
}

TEST_F(WindowTest, SettingsOkWritesTheStoreAndAFreshWindowShowsThem) {
    window->ShowSettings();
    SettingsPage* page = window->Settings();
    ASSERT_EQ(window->CurrentPage(), page);
    page->findChild<QLineEdit*>("destDir")->setText(QString::fromStdString(dir.path()));
    page->findChild<QComboBox*>("docFormat")->setCurrentText("rtf");
    page->findChild<QComboBox*>("keepLinesSetting")->setCurrentText("Yes");
    page->findChild<QComboBox*>("layout")->setCurrentText("TEXT ONLY");
    // Kept, but shown as not acting: only the flowing layout joins lines.
    EXPECT_FALSE(page->findChild<QComboBox*>("keepLinesSetting")->isEnabled());
    page->findChild<QComboBox*>("allPagesSetting")->setCurrentText("No");
    Screenshot(*window, "settings-page");
    page->findChild<QPushButton*>("settingsOk")->click();
    EXPECT_EQ(window->CurrentPage(), window->Panel());
    EXPECT_EQ(Stored("DocFormat"), "rtf");
    EXPECT_EQ(Stored("Layout"), "TEXT ONLY");
    EXPECT_EQ(Stored("DestDir"), dir.path());
    EXPECT_EQ(para.ResultFormat(), "rtf");
    EXPECT_TRUE(window->findChild<QRadioButton*>("formatRtf")->isChecked());
    EXPECT_TRUE(window->findChild<QRadioButton*>("pageNumbers")->isChecked());
    // The page list is the user's to write; it once showed the setting's own "No".
    EXPECT_EQ(window->findChild<QLineEdit*>("pageText")->text(), QString());
    // The twelve values stand in the store in their order.
    std::string ini = testpdf::ReadFile(dir / "registry.ini");
    size_t last = 0;
    for (const char* name : {"DestDir", "DocFormat", "AutoOpen", "Language", "LogDir", "Layout", "ImageFilter",
                             "Preserve", "AllPages", "KeepLines", "Ocr", "OcrLanguages"}) {
        size_t at = ini.find(std::string(name) + "=");
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_GT(at + 1, last) << name;
        last = at;
    }

    MyConvertPara fresh;
    ui::ApplyStartValues(fresh);
    MainWindow second(fresh);
    EXPECT_EQ(second.Settings()->findChild<QComboBox*>("layout")->currentText(), "TEXT ONLY");
    EXPECT_EQ(second.Panel()->OutputFolder().toStdString(), dir.path());
    EXPECT_EQ(fresh.jobMode, ModeTextOnly);
    EXPECT_EQ(second.Settings()->findChild<QComboBox*>("keepLinesSetting")->currentText(), "Yes");
    EXPECT_TRUE(fresh.keepLines);
    ExpectTexts(*page, {ui::text::kDestinationFolder, ui::text::kLogFileFolder, ui::text::kBrowse,
                        ui::text::kDefault, ui::text::kOk, ui::text::kCancel},
                "settings-page");
}

TEST_F(WindowTest, DefaultRestoresTheDefaultsAndBadStoredValuesFallBack) {
    platform::RegistryWrite(ui::kSettingsKey, "AutoOpen", "");
    platform::RegistryWrite(ui::kSettingsKey, "Layout", "SIDEWAYS");
    ui::Settings loaded = ui::LoadSettings();
    EXPECT_EQ(loaded.AutoOpen, "Yes");  // an empty value must not turn the replace question off
    EXPECT_EQ(loaded.Layout, "FLOWING TEXT");

    SettingsPage* page = window->Settings();
    page->findChild<QComboBox*>("autoOpen")->setCurrentText("No");
    page->findChild<QPushButton*>("defaults")->click();
    EXPECT_EQ(page->Fields().AutoOpen, "Yes");
    EXPECT_EQ(page->Fields().DocFormat, "doc");
    EXPECT_EQ(page->Fields().Layout, "FLOWING TEXT");
    EXPECT_EQ(page->Fields().KeepLines, "No");
    EXPECT_EQ(page->Fields().Ocr, "Auto");
    EXPECT_EQ(page->Fields().OcrLanguages, "");
}

TEST_F(WindowTest, RecognitionChoicesSurviveSavingAndReachTheRecord) {
    SettingsPage* page = window->Settings();
    auto* ocr = page->findChild<QComboBox*>("ocrSetting");
    auto* languages = page->findChild<QLineEdit*>("ocrLanguages");
    // The default languages are shown, not stored: they follow the locale of whoever starts Vellumor.
    EXPECT_TRUE(languages->placeholderText().contains(QString::fromStdString(platform::DefaultOcrLanguages())));
    ocr->setCurrentText(ui::text::kOcrNever);
    EXPECT_FALSE(languages->isEnabled());
    ocr->setCurrentText(ui::text::kOcrAlways);
    languages->setText(" deu+fra ");
    window->ShowSettings();
    Screenshot(*window, "settings-page-ocr");
    page->findChild<QPushButton*>("settingsOk")->click();
    EXPECT_EQ(Stored("Ocr"), "Always");
    EXPECT_EQ(Stored("OcrLanguages"), "deu+fra");
    EXPECT_EQ(para.ocrMode, OcrAlways);

    MyConvertPara fresh;
    ui::ApplyStartValues(fresh);
    MainWindow second(fresh);
    EXPECT_EQ(fresh.ocrMode, OcrAlways);
    EXPECT_EQ(fresh.ocrLanguages, "deu+fra");
    EXPECT_EQ(second.Settings()->findChild<QComboBox*>("ocrSetting")->currentText(), ui::text::kOcrAlways);
}

TEST_F(WindowTest, AMissingRecognitionLanguageIsSaidAndNothingStarts) {
    std::vector<std::string> installed = platform::InstalledOcrLanguages();
    if (std::find(installed.begin(), installed.end(), "cym") != installed.end()) GTEST_SKIP() << "Welsh is installed";
    para.ocrLanguages = "eng+cym";
    window->Panel()->AddFiles({QString::fromStdString(Pdf("a.pdf"))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    window->findChild<QRadioButton*>("formatRtf")->setChecked(true);
    window->findChild<QRadioButton*>("fastMethod")->setChecked(true);
    window->StartConvert();
    EXPECT_FALSE(window->BatchRunning());
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().second.contains("tesseract-ocr-cym")) << messages.back().second.toStdString();
    EXPECT_FALSE(fs::exists(dir / "a.rtf"));

    para.ocrMode = OcrNever;  // then the languages do not matter
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    EXPECT_TRUE(fs::exists(dir / "a.rtf"));
}

TEST_F(WindowTest, SettingsThatCannotBeSavedAreSaidWithTheFilesPath) {
    fs::create_directory(dir / "blocked");
    platform::SetRegistryPath(dir / "blocked");  // a folder: no file can be written there
    window->Settings()->Apply();
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().second.contains(QString::fromStdString(dir / "blocked"))) << messages.back().second.toStdString();
}

TEST_F(WindowTest, FastStartUsesTheStoredLayout) {
    platform::RegistryWrite(ui::kSettingsKey, "Layout", "TEXT ONLY");
    platform::RegistryWrite(ui::kSettingsKey, "ImageFilter", "Yes");
    ui::ApplyStartValues(para);
    window->Panel()->AddFiles({QString::fromStdString(Pdf("a.pdf"))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    window->findChild<QRadioButton*>("formatRtf")->setChecked(true);
    window->findChild<QRadioButton*>("fastMethod")->setChecked(true);
    window->StartConvert();
    ASSERT_TRUE(WaitForBatchEnd());
    EXPECT_EQ(para.jobMode, ModeTextOnly);
    EXPECT_EQ(para.removeImages, 1);
}

class WordWizardInWindow : public WindowTest {
protected:
    void Open(const std::string& pdf) {
        window->Panel()->AddFiles({QString::fromStdString(pdf)});
        window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
        window->findChild<QRadioButton*>("formatRtf")->setChecked(true);
        window->findChild<QRadioButton*>("wizardMethod")->setChecked(true);
        window->StartConvert();
        wizard = window->ConvertWizard();
        ASSERT_EQ(window->CurrentPage(), wizard);
        ASSERT_EQ(wizard->CurrentStep(), 1);
    }
    void Click(const char* name) { wizard->findChild<QPushButton*>(name)->click(); }
    QStringList SummaryValues() {
        QStringList values;
        for (QLabel* l : wizard->Step(5)->findChildren<QLabel*>("summaryValue")) values << l->text();
        return values;
    }
    WordWizard* wizard = nullptr;
};

TEST_F(WordWizardInWindow, PagesTwoToFourInTheChosenLayout) {
    Open(Pdf("five.pdf", 5));
    ExpectTexts(*wizard->Step(1), {ui::text::kLayoutOptions, ui::text::kLayoutFlowing, ui::text::kLayoutFormatted,
                                   ui::text::kLayoutTextOnly, ui::text::kLayoutAsIs},
                "word-wizard-1");
    Screenshot(*window, "word-wizard-1");
    wizard->Step(1)->findChild<QRadioButton*>("choice3")->setChecked(true);  // TEXT ONLY
    Click("wizardNext");
    ExpectTexts(*wizard->Step(2), {ui::text::kImageFilter, ui::text::kRemoveImages, ui::text::kAutomaticAnchoring},
                "word-wizard-2");
    Screenshot(*window, "word-wizard-2");
    Click("wizardNext");
    ExpectTexts(*wizard->Step(3), {ui::text::kPreserveSpacing, ui::text::kYes, ui::text::kNo}, "word-wizard-3");
    Screenshot(*window, "word-wizard-3");
    Click("wizardNext");
    wizard->Step(4)->findChild<QRadioButton*>("rangeNumbers")->setChecked(true);
    wizard->Step(4)->findChild<QLineEdit*>("rangePages")->setText("2-4");
    ExpectTexts(*wizard->Step(4), {ui::text::kConversionRange, ui::text::kAll, ui::text::kPageNumbersWord},
                "word-wizard-4");
    Screenshot(*window, "word-wizard-4");
    EXPECT_FALSE(wizard->findChild<QPushButton*>("wizardFinish")->isVisible());
    Click("wizardNext");
    EXPECT_TRUE(wizard->findChild<QPushButton*>("wizardFinish")->isVisible());
    EXPECT_FALSE(wizard->findChild<QPushButton*>("wizardNext")->isVisible());
    QStringList values = SummaryValues();
    ASSERT_EQ(values.size(), 8);
    EXPECT_EQ(values[2], "rtf");
    EXPECT_EQ(values[3], "2-4");
    EXPECT_EQ(values[4], "TEXT ONLY");
    EXPECT_EQ(values[5], ui::text::kAutomaticAnchoring);
    ExpectTexts(*wizard->Step(5), {ui::text::kOutputSummary, ui::text::kSummarySource, ui::text::kSummaryOutput,
                                   ui::text::kSummaryFormat, ui::text::kSummaryRange, ui::text::kSummaryLayout,
                                   ui::text::kSummaryFilter, ui::text::kSummaryPreserve, ui::text::kSummaryOcr},
                "word-wizard-5");
    Screenshot(*window, "word-wizard-5");
    EXPECT_EQ(para.jobMode, ModeTextOnly);

    Click("wizardFinish");
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1);
    std::string text = testpdf::RtfPlainText(testpdf::ReadFile(dir / "five.rtf"));
    for (int page : {2, 3, 4})
        EXPECT_NE(text.find("Page " + std::to_string(page) + " of"), std::string::npos) << page;
    for (int page : {1, 5}) EXPECT_EQ(text.find("Page " + std::to_string(page) + " of"), std::string::npos) << page;
}

TEST_F(WordWizardInWindow, KeepingTheSourceLinesIsAFlowingChoiceThatReachesTheJob) {
    Open(Pdf("a.pdf"));
    WindowPage* step = wizard->Step(1);
    auto* keep = step->findChild<QCheckBox*>("keepLines");
    EXPECT_FALSE(keep->isChecked());
    keep->setChecked(true);
    Screenshot(*window, "word-wizard-1-keep-lines");
    step->findChild<QRadioButton*>("choice2")->setChecked(true);  // FORMATTED TEXT
    EXPECT_FALSE(keep->isEnabled());
    step->findChild<QRadioButton*>("choice1")->setChecked(true);
    EXPECT_TRUE(keep->isEnabled());
    Click("wizardLast");
    EXPECT_EQ(para.KeepLines, "Yes");
    EXPECT_EQ(SummaryValues()[4], QString("FLOWING TEXT ") + ui::text::kKeepLinesMark);
    Screenshot(*window, "word-wizard-5-keep-lines");
    EXPECT_TRUE(para.keepLines);
}

TEST_F(WordWizardInWindow, TheRecognitionChoiceOfTheLayoutStepReachesTheJob) {
    para.ocrMode = OcrNever;
    para.ocrLanguages = "deu";
    Open(Pdf("a.pdf"));
    auto* ocr = wizard->Step(1)->findChild<QComboBox*>("ocrChoice");
    EXPECT_EQ(ocr->currentText(), ui::text::kOcrNever);
    ocr->setCurrentText(ui::text::kOcrAlways);
    ExpectTexts(*wizard->Step(1), {ui::text::kOcrSetting, ui::text::kOcrAlways}, "word-wizard-1-ocr");
    Screenshot(*window, "word-wizard-1-ocr");
    Click("wizardLast");
    EXPECT_EQ(para.ocrMode, OcrAlways);
    EXPECT_EQ(SummaryValues()[7], QString(ui::text::kOcrAlways) + " (deu)");
    Screenshot(*window, "word-wizard-5-ocr");
}

TEST_F(WordWizardInWindow, BackAndNextKeepEachStepsValueAndCancelLeaves) {
    Open(Pdf("a.pdf"));
    wizard->Step(1)->findChild<QRadioButton*>("choice4")->setChecked(true);  // AS IS
    Click("wizardNext");
    wizard->Step(2)->findChild<QRadioButton*>("choice1")->setChecked(true);  // Remove Images
    Click("wizardNext");
    Click("wizardBack");
    Click("wizardBack");
    EXPECT_EQ(wizard->CurrentStep(), 1);
    EXPECT_TRUE(wizard->Step(1)->findChild<QRadioButton*>("choice4")->isChecked());
    EXPECT_EQ(para.Layout, "AS IS");
    Click("wizardNext");
    EXPECT_TRUE(wizard->Step(2)->findChild<QRadioButton*>("choice1")->isChecked());
    EXPECT_EQ(para.ImageFilter, "Yes");
    Click("wizardLast");
    EXPECT_EQ(wizard->CurrentStep(), 5);
    EXPECT_EQ(para.jobMode, ModeAsIs);
    EXPECT_EQ(para.removeImages, 1);
    Click("wizardCancel");
    EXPECT_EQ(window->CurrentPage(), window->Panel());
    EXPECT_FALSE(window->BatchRunning());
}

TEST_F(WindowTest, ImageWizardStartsWithJpgRequiresAUsableFolderAndSetsTheDevice) {
    window->Panel()->AddFiles({QString::fromStdString(Pdf("pics.pdf"))});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    window->findChild<QRadioButton*>("pageNumbers")->setChecked(true);
    window->findChild<QLineEdit*>("pageText")->setText("2");
    para.imageFormat = "PNG";
    window->StartImages();
    ImageWizard* wizard = window->ExtractWizard();
    ASSERT_EQ(window->CurrentPage(), wizard);
    WindowPage* step = wizard->Step(1);
    EXPECT_EQ(step->findChild<QComboBox*>("imageFormat")->currentText(), "JPG");
    EXPECT_EQ(step->findChild<QComboBox*>("imageFormat")->findText("PSD"), -1);
    EXPECT_EQ(step->findChild<QLineEdit*>("imagePages")->text(), "2");  // the page choice, not a page count
    ExpectTexts(*step, {ui::text::kSelectImageFormat, ui::text::kSpecifyFolder, ui::text::kImagesSavedAt,
                        ui::text::kRangeExplanation, ui::text::kAllImagesExplanation, ui::text::kPageNumbers,
                        ui::text::kAllPages},
                "image-wizard-1");
    Screenshot(*window, "image-wizard-1");

    step->findChild<QLineEdit*>("imageFolder")->setText("relative/folder");
    wizard->findChild<QPushButton*>("wizardNext")->click();
    EXPECT_EQ(wizard->CurrentStep(), 1);
    EXPECT_TRUE(messages.back().second.contains("relative/folder"));

    answer = [](const QString&) { return true; };  // create the missing folder
    step->findChild<QLineEdit*>("imageFolder")->setText(QString::fromStdString(dir / "images"));
    step->findChild<QComboBox*>("imageFormat")->setCurrentText("PNG");
    wizard->findChild<QPushButton*>("wizardNext")->click();
    ASSERT_EQ(wizard->CurrentStep(), 2);
    EXPECT_TRUE(fs::is_directory(dir / "images"));
    EXPECT_EQ(para.imageDevice, "png16m");
    EXPECT_EQ(para.jobMode, ModeExtractImages);
    EXPECT_EQ(wizard->Step(2)->findChild<QLabel*>("summaryFormat")->text(), "PNG");
    ExpectTexts(*wizard->Step(2), {ui::text::kOutputSummary, ui::text::kSummaryImageRange,
                                   ui::text::kSummaryImageFormat, ui::text::kSummaryImageFolder},
                "image-wizard-2");
    Screenshot(*window, "image-wizard-2");
}

TEST_F(WindowTest, MainPanelAndProgressPageShowTheirTexts) {
    using namespace ui::text;
    ExpectTexts(*window, {kTabConvert, kTabSettings, kHome, kInfo, kHelp, kExtractImages, kConvertToWord,
                          kPanelTitle, kPanelHint, kAddFiles, kRemove, kRemoveAll, kSaveTo, kBrowse, kAllPages,
                          kPageNumbers, kFormatRtf, kFormatDoc, kWizardMethod, kFastMethod},
                "main-window");
    ExpectTexts(*window->Progress(), {kProgressTitle, kGeneral, kCancel}, "progress-page");
}

}  // namespace

namespace {

TEST_F(WindowTest, ImageWizardWithPngWritesTheImagesOfEachPage) {
    testpdf::PicturePdf().Save(dir / "pics.pdf");
    window->Panel()->AddFiles({QString::fromStdString(dir / "pics.pdf")});
    window->Panel()->SetOutputFolder(QString::fromStdString(dir.path()));
    window->findChild<QRadioButton*>("wizardMethod")->setChecked(true);
    window->StartImages();
    ImageWizard* wizard = window->ExtractWizard();
    ASSERT_EQ(window->CurrentPage(), wizard);
    wizard->Step(1)->findChild<QLineEdit*>("imageFolder")->setText(QString::fromStdString(dir / "images"));
    wizard->Step(1)->findChild<QComboBox*>("imageFormat")->setCurrentText("PNG");
    answer = [](const QString&) { return true; };
    wizard->findChild<QPushButton*>("wizardNext")->click();
    ASSERT_EQ(wizard->CurrentStep(), 2);
    wizard->findChild<QPushButton*>("wizardFinish")->click();
    ASSERT_TRUE(WaitForBatchEnd());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->converted, 1) << (summary->failures.empty() ? "" : summary->failures[0].second);
    EXPECT_TRUE(fs::exists(dir / "images/pics-1/imagefile1.png"));
    EXPECT_TRUE(fs::exists(dir / "images/pics-3/imagefile1.png"));
}

}  // namespace
