#include "ui/WordWizardSteps.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "convert/MyConvertPara.h"
#include "ui/OcrChoice.h"
#include "ui/PageChoice.h"
#include "ui/Settings.h"
#include "ui/UiTexts.h"

using namespace ui::text;

namespace {

// The text of a choice; clicking it chooses, as clicking a radio button's own text does.
class ChoiceLabel : public QLabel {
public:
    ChoiceLabel(const QString& text, QRadioButton* radio, QWidget* parent) : QLabel(text, parent), radio_(radio) {
        setWordWrap(true);
        setObjectName("choiceText");
    }

protected:
    void mousePressEvent(QMouseEvent*) override { radio_->setChecked(true); }

private:
    QRadioButton* radio_;
};

}  // namespace

ChoiceStep::ChoiceStep(const QString& title, std::vector<std::pair<QString, std::string>> options,
                               std::string& field, QWidget* parent)
    : WindowPage(title, parent), options_(std::move(options)), field_(field), group_(new QButtonGroup(this)) {
    Body()->setSpacing(12);
    for (size_t i = 0; i < options_.size(); ++i) {
        // A radio button does not wrap its text: long explanations stand in a label beside it.
        auto* row = new QHBoxLayout;
        auto* radio = new QRadioButton(this);
        radio->setObjectName("choice" + QString::number(i + 1));
        group_->addButton(radio, static_cast<int>(i));
        auto* text = new ChoiceLabel(options_[i].first, radio, this);
        row->addWidget(radio, 0, Qt::AlignTop);
        row->addWidget(text, 1);
        Body()->addLayout(row);
    }
    group_->button(0)->setChecked(true);
    Body()->addStretch();
}

void ChoiceStep::Load() {
    // Another value keeps the previous choice.
    for (size_t i = 0; i < options_.size(); ++i)
        if (options_[i].second == field_) group_->button(static_cast<int>(i))->setChecked(true);
}

void ChoiceStep::Store() {
    int chosen = group_->checkedId();
    if (chosen >= 0) field_ = options_[static_cast<size_t>(chosen)].second;
}

LayoutStep::LayoutStep(MyConvertPara& para, QWidget* parent)
    : ChoiceStep(kLayoutOptions,
                     {{kLayoutFlowing, "FLOWING TEXT"},
                      {kLayoutFormatted, "FORMATTED TEXT"},
                      {kLayoutTextOnly, "TEXT ONLY"},
                      {kLayoutAsIs, "AS IS"}},
                     para.Layout, parent),
      para_(para),
      keepLines_(new QCheckBox(kKeepLines, this)),
      ocr_(ui::MakeOcrChoice("ocrChoice", this)) {
    keepLines_->setObjectName("keepLines");
    auto* explanation = new QLabel(kKeepLinesExplanation, this);
    explanation->setWordWrap(true);
    auto* option = new QVBoxLayout;
    option->setContentsMargins(24, 0, 0, 0);
    option->addWidget(keepLines_);
    option->addWidget(explanation);
    // Right under the flowing layout, the one choice it belongs to.
    Body()->insertLayout(1, option);
    // Only the flowing layout joins lines into paragraphs; the other layouts keep them anyway.
    auto* flowing = findChild<QRadioButton*>("choice1");
    connect(flowing, &QRadioButton::toggled, keepLines_, &QCheckBox::setEnabled);
    connect(flowing, &QRadioButton::toggled, explanation, &QLabel::setEnabled);
    // Every layout takes the recognised words, so the choice stands below all four.
    auto* ocrRow = new QHBoxLayout;
    ocrRow->addWidget(new QLabel(kOcrSetting, this));
    ocrRow->addWidget(ocr_);
    ocrRow->addStretch();
    Body()->insertLayout(Body()->count() - 1, ocrRow);
}

void LayoutStep::Load() {
    ChoiceStep::Load();
    keepLines_->setChecked(para_.KeepLines == "Yes");
    ui::ShowOcrMode(ocr_, para_.ocrMode);
}

void LayoutStep::Store() {
    ChoiceStep::Store();
    para_.KeepLines = keepLines_->isChecked() ? "Yes" : "No";
    para_.ocrMode = ui::ChosenOcrMode(ocr_);
}

ImageFilterStep::ImageFilterStep(MyConvertPara& para, QWidget* parent)
    : ChoiceStep(kImageFilter, {{kRemoveImages, "Yes"}, {kAutomaticAnchoring, "No"}}, para.ImageFilter, parent) {}

SpacingStep::SpacingStep(MyConvertPara& para, QWidget* parent)
    : ChoiceStep(kPreserveSpacing, {{kYes, "Yes"}, {kNo, "No"}}, para.Preserve, parent) {
    // The choice is kept, but the conversion does not act on it: it is shown as not applicable.
    for (QWidget* choice : findChildren<QWidget*>())
        if (qobject_cast<QRadioButton*>(choice) || qobject_cast<QLabel*>(choice)) choice->setEnabled(false);
    auto* note = new QLabel(kPreserveNotApplicable, this);
    note->setObjectName("notApplicable");
    note->setWordWrap(true);
    Body()->insertWidget(Body()->count() - 1, note);
}

RangeStep::RangeStep(MyConvertPara& para, QWidget* parent)
    : WindowPage(kConversionRange, parent), para_(para) {
    auto* grid = new QGridLayout;
    all_ = new QRadioButton(kAll, this);
    numbers_ = new QRadioButton(kPageNumbersWord, this);
    pages_ = new QLineEdit(this);
    all_->setObjectName("rangeAll");
    numbers_->setObjectName("rangeNumbers");
    pages_->setObjectName("rangePages");
    pages_->setPlaceholderText("1,3,7,10-15");
    grid->addWidget(all_, 0, 0, 1, 2);
    grid->addWidget(numbers_, 1, 0);
    grid->addWidget(pages_, 1, 1);
    Body()->addLayout(grid);
    auto* explanation = new QLabel(kRangeExplanation, this);
    explanation->setWordWrap(true);
    Body()->addWidget(explanation);
    Body()->addStretch();
    all_->setChecked(true);
    pages_->setEnabled(false);
    connect(numbers_, &QRadioButton::toggled, pages_, &QLineEdit::setEnabled);
}

void RangeStep::Load() { ShowPageChoice(para_, all_, numbers_, pages_); }

void RangeStep::Store() {
    para_.pages.Select(ChosenPageText(all_, pages_));
}

WordSummaryStep::WordSummaryStep(MyConvertPara& para, QWidget* parent)
    : WindowPage(kOutputSummary, parent), para_(para) {
    auto* form = new QFormLayout;
    for (const char* line : {kSummarySource, kSummaryOutput, kSummaryFormat, kSummaryRange, kSummaryLayout,
                             kSummaryFilter, kSummaryPreserve, kSummaryOcr}) {
        auto* value = new QLabel(this);
        value->setObjectName("summaryValue");
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values_.push_back(value);
        form->addRow(line, value);
    }
    Body()->addLayout(form);
    Body()->addStretch();
}

void WordSummaryStep::Load() {
    const std::string lines[] = {para_.sourceDir,
                                 para_.DestDir,
                                 para_.DocFormat,
                                 para_.pages.All() ? std::string(kAllPages) : para_.pages.Text(),
                                 para_.Layout + (FlowingKeepsLines() ? std::string(" ") + kKeepLinesMark : ""),
                                 para_.ImageFilter == "Yes" ? kRemoveImages : kAutomaticAnchoring,
                                 para_.Preserve + " " + kNotApplicableMark,
                                 OcrSummary()};
    for (size_t i = 0; i < values_.size(); ++i) values_[i]->setText(QString::fromStdString(lines[i]));
    para_.SetDocFormat(para_.DocFormat);
    para_.autoOpenFlag = para_.AutoOpen == "Yes" ? 1 : 0;
    if (std::optional<int> mode = ui::JobModeForLayout(para_.Layout)) para_.jobMode = *mode;
    para_.removeImages = para_.ImageFilter == "Yes" ? 1 : 0;
    para_.keepLines = para_.KeepLines == "Yes";
}

std::string WordSummaryStep::OcrSummary() const {
    std::string line = ui::OcrModeText(para_.ocrMode);
    if (para_.ocrMode != OcrNever && !para_.ocrLanguages.empty()) line += " (" + para_.ocrLanguages + ")";
    return line;
}

bool WordSummaryStep::FlowingKeepsLines() const {
    return para_.Layout == ui::kLayouts[0] && para_.KeepLines == "Yes";
}
