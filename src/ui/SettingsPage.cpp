#include "ui/SettingsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "convert/MyConvertPara.h"
#include "platform/TextRecognition.h"
#include "ui/OcrChoice.h"
#include "ui/UiTexts.h"

namespace {

QComboBox* Choices(const QStringList& items, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setObjectName(name);
    return box;
}

void Select(QComboBox* box, const std::string& value) {
    int i = box->findText(QString::fromStdString(value));
    if (i >= 0) box->setCurrentIndex(i);
}

std::string Text(const QComboBox* box) { return box->currentText().toStdString(); }

}  // namespace

SettingsPage::SettingsPage(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent)
    : WindowPage(ui::text::kSettingsTitle, parent), para_(para), prompts_(prompts) {
    using namespace ui::text;
    setObjectName("settingsPage");
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    auto folderRow = [&](QLineEdit*& field, const char* name) {
        auto* row = new QHBoxLayout;
        field = new QLineEdit(this);
        field->setObjectName(name);
        auto* browse = new QPushButton(kBrowse, this);
        browse->setObjectName(QString(name) + "Browse");
        row->addWidget(field, 1);
        row->addWidget(browse);
        QLineEdit* target = field;
        connect(browse, &QPushButton::clicked, this, [this, target] {
            QString chosen = prompts_.chooseFolder(target->text());
            if (chosen.isEmpty()) return;
            target->setText(chosen);
            if (target == destDir_) destinationBrowsed_ = true;
        });
        return row;
    };
    form->addRow(kDestinationFolder, folderRow(destDir_, "destDir"));
    form->addRow(kLogFileFolder, folderRow(logDir_, "logDir"));
    docFormat_ = Choices({"doc", "rtf", "docx", "odt"}, "docFormat", this);
    autoOpen_ = Choices({"Yes", "No"}, "autoOpen", this);
    language_ = Choices({"English"}, "language", this);
    QStringList layouts;
    for (const char* l : ui::kLayouts) layouts << l;
    layout_ = Choices(layouts, "layout", this);
    imageFilter_ = Choices({"Yes", "No"}, "imageFilter", this);
    preserve_ = Choices({"Yes", "No"}, "preserve", this);
    allPages_ = Choices({"Yes", "No"}, "allPagesSetting", this);
    keepLines_ = Choices({"Yes", "No"}, "keepLinesSetting", this);
    form->addRow(kDocumentFormat, docFormat_);
    form->addRow(kAutoOpen, autoOpen_);
    form->addRow(kLanguage, language_);
    form->addRow(kLayout, layout_);
    form->addRow(kKeepLinesSetting, keepLines_);
    keepLines_->setToolTip(kKeepLinesExplanation);
    // Only the flowing layout joins lines; the others keep them whatever is chosen here.
    connect(layout_, &QComboBox::currentTextChanged, keepLines_,
            [this](const QString& layout) { keepLines_->setEnabled(layout == ui::kLayouts[0]); });
    auto* ocrRow = new QHBoxLayout;
    ocr_ = ui::MakeOcrChoice("ocrSetting", this);
    ocrLanguages_ = new QLineEdit(this);
    ocrLanguages_->setObjectName("ocrLanguages");
    ocrLanguages_->setPlaceholderText(QString(kOcrLanguagesDefault).arg(QString::fromStdString(platform::DefaultOcrLanguages())));
    ocrLanguages_->setToolTip(kOcrLanguagesExplanation);
    ocrRow->addWidget(ocr_);
    ocrRow->addWidget(new QLabel(kOcrLanguagesLabel, this));
    ocrRow->addWidget(ocrLanguages_, 1);
    form->addRow(kOcrSetting, ocrRow);
    connect(ocr_, &QComboBox::currentIndexChanged, ocrLanguages_,
            [this] { ocrLanguages_->setEnabled(ui::ChosenOcrMode(ocr_) != OcrNever); });
    form->addRow(kImageFilterSetting, imageFilter_);
    form->addRow(QString(kPreserveSetting) + " " + kNotApplicableMark, preserve_);
    // Stored and shown, but the conversion does not act on it.
    preserve_->setEnabled(false);
    preserve_->setToolTip(kPreserveNotApplicable);
    form->addRow(kAllPagesSetting, allPages_);
    Body()->addLayout(form);
    Body()->addStretch();

    auto* buttons = new QHBoxLayout;
    auto* defaults = new QPushButton(kDefault, this);
    auto* ok = new QPushButton(kOk, this);
    auto* cancel = new QPushButton(kCancel, this);
    defaults->setObjectName("defaults");
    ok->setObjectName("settingsOk");
    cancel->setObjectName("settingsCancel");
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    Body()->addLayout(buttons);
    connect(defaults, &QPushButton::clicked, this, [this] { ShowSettings(ui::DefaultSettings()); });
    connect(ok, &QPushButton::clicked, this, &SettingsPage::Apply);
    connect(cancel, &QPushButton::clicked, this, [this] {
        ShowStored();
        emit closed();
    });
    ShowStored();
}

void SettingsPage::ShowStored() { ShowSettings(ui::LoadSettings()); }

void SettingsPage::ShowSettings(const ui::Settings& s) {
    destDir_->setText(QString::fromStdString(s.DestDir));
    shownDestination_ = destDir_->text().trimmed();
    destinationBrowsed_ = false;
    logDir_->setText(QString::fromStdString(s.LogDir));
    Select(docFormat_, s.DocFormat);
    Select(autoOpen_, s.AutoOpen);
    Select(language_, s.Language);
    Select(layout_, s.Layout);
    Select(imageFilter_, s.ImageFilter);
    Select(preserve_, s.Preserve);
    Select(allPages_, s.AllPages);
    Select(keepLines_, s.KeepLines);
    ui::ShowOcrMode(ocr_, ui::OcrModeForSetting(s.Ocr));
    ocrLanguages_->setText(QString::fromStdString(s.OcrLanguages));
}

ui::Settings SettingsPage::Fields() const {
    return {destDir_->text().trimmed().toStdString(), Text(docFormat_), Text(autoOpen_), Text(language_),
            logDir_->text().trimmed().toStdString(), Text(layout_), Text(imageFilter_), Text(preserve_),
            Text(allPages_), Text(keepLines_), ui::kOcrSettings[static_cast<size_t>(ui::ChosenOcrMode(ocr_))],
            ocrLanguages_->text().trimmed().toStdString()};
}

void SettingsPage::Apply() {
    ui::Settings settings = Fields();
    destinationChosen_ = destinationBrowsed_ || destDir_->text().trimmed() != shownDestination_;
    shownDestination_ = destDir_->text().trimmed();
    destinationBrowsed_ = false;
    ui::ApplySettings(settings, para_);
    std::string where;
    if (!ui::SaveSettings(settings, where))
        prompts_.message(ui::text::kSettingsTitle, QString(ui::text::kSettingsNotSaved).arg(QString::fromStdString(where)));
    emit applied();
}
