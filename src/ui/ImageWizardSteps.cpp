#include "ui/ImageWizardSteps.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "convert/ImageDevices.h"
#include "convert/MyConvertPara.h"
#include "ui/PageChoice.h"
#include "ui/UiTexts.h"

using namespace ui::text;

namespace {

QLabel* Explanation(const char* text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setObjectName("explanation");
    return label;
}

}  // namespace

ImageChoicesStep::ImageChoicesStep(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent)
    : WindowPage(QString(kOutputFormatTitle) + " / " + kConversionRange, parent), para_(para), prompts_(prompts) {
    Body()->addWidget(Explanation(kSelectImageFormat, this));
    format_ = new QComboBox(this);
    format_->setObjectName("imageFormat");
    // Only formats with a renderer are offered: a name without one would write files of another type.
    format_->addItems({kSameAsDocument, "BMP", "JPG", "PNG", "TIFF", "PCX", "PBM", "PNM", "PPM"});
    Body()->addWidget(format_);
    Body()->addWidget(Explanation(kSpecifyFolder, this));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(kImagesSavedAt, this));
    folder_ = new QLineEdit(this);
    folder_->setObjectName("imageFolder");
    folderRow->addWidget(folder_, 1);
    auto* browse = new QPushButton(kBrowse, this);
    browse->setObjectName("imageBrowse");
    folderRow->addWidget(browse);
    Body()->addLayout(folderRow);
    auto* grid = new QGridLayout;
    numbers_ = new QRadioButton(kPageNumbers, this);
    all_ = new QRadioButton(kAllPages, this);
    pages_ = new QLineEdit(this);
    numbers_->setObjectName("imagePageNumbers");
    all_->setObjectName("imageAllPages");
    pages_->setObjectName("imagePages");
    grid->addWidget(numbers_, 0, 0);
    grid->addWidget(pages_, 0, 1);
    grid->addWidget(Explanation(kRangeExplanation, this), 1, 0, 1, 2);
    grid->addWidget(all_, 2, 0, 1, 2);
    grid->addWidget(Explanation(kAllImagesExplanation, this), 3, 0, 1, 2);
    Body()->addLayout(grid);
    Body()->addStretch();
    all_->setChecked(true);
    pages_->setEnabled(false);
    connect(numbers_, &QRadioButton::toggled, pages_, &QLineEdit::setEnabled);
    connect(browse, &QPushButton::clicked, this, [this] {
        QString chosen = prompts_.chooseFolder(folder_->text());
        if (!chosen.isEmpty()) folder_->setText(chosen);
    });
}

void ImageChoicesStep::Load() {
    format_->setCurrentText(QString::fromStdString(para_.imageFormat));
    ShowPageChoice(para_, all_, numbers_, pages_);
    folder_->setText(QString::fromStdString(para_.outputDir));
}

void ImageChoicesStep::Store() {
    para_.imageFormat = format_->currentText().toStdString();
    para_.DestDir = para_.outputDir = folder_->text().trimmed().toStdString();
    para_.pages.Select(ChosenPageText(all_, pages_));
}

bool ImageChoicesStep::CanGoOn() {
    QString folder = folder_->text().trimmed();
    QFileInfo info(folder);
    if (!folder.isEmpty() && info.isAbsolute() && !info.exists() &&
        prompts_.question(kImagesSavedAt, QString(kFolderMissingCreate).arg(folder)))
        QDir().mkpath(folder);
    info.refresh();
    if (folder.isEmpty() || !info.isAbsolute() || !info.isDir() || !info.isWritable()) {
        prompts_.message(kImagesSavedAt, QString(kFolderUnusable).arg(folder));
        return false;
    }
    if (numbers_->isChecked() && pages_->text().trimmed().isEmpty()) {
        prompts_.message({}, kNoPageNumber);
        return false;
    }
    return true;
}

ImageSummaryStep::ImageSummaryStep(MyConvertPara& para, QWidget* parent)
    : WindowPage(kOutputSummary, parent), para_(para) {
    auto* form = new QFormLayout;
    range_ = new QLabel(this);
    format_ = new QLabel(this);
    folder_ = new QLabel(this);
    range_->setObjectName("summaryRange");
    format_->setObjectName("summaryFormat");
    folder_->setObjectName("summaryFolder");
    form->addRow(kSummaryImageRange, range_);
    form->addRow(kSummaryImageFormat, format_);
    form->addRow(kSummaryImageFolder, folder_);
    Body()->addLayout(form);
    Body()->addStretch();
}

void ImageSummaryStep::Load() {
    range_->setText(para_.pages.All() ? QString(kAllPages) : QString::fromStdString(para_.pages.Text()));
    format_->setText(QString::fromStdString(para_.imageFormat));
    folder_->setText(QString::fromStdString(para_.DestDir));
    if (const ImageDevice* device = FindImageFormat(para_.imageFormat)) para_.imageDevice = device->device;
    para_.jobMode = ModeExtractImages;
}
