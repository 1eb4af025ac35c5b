#pragma once
// The five steps of the Convert-to-Word wizard.
#include <string>
#include <utility>
#include <vector>

#include "ui/WindowPage.h"

class MyConvertPara;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// A step that chooses one of a few values of a text field of the record.
class ChoiceStep : public WindowPage {
    Q_OBJECT
public:
    // Options: radio text and the value stored for it.
    ChoiceStep(const QString& title, std::vector<std::pair<QString, std::string>> options, std::string& field,
                   QWidget* parent);
    void Load() override;
    void Store() override;

private:
    std::vector<std::pair<QString, std::string>> options_;
    std::string& field_;
    QButtonGroup* group_;
};

// The layout, for the flowing layout whether the source's lines stay paragraphs of their own, and
// when scanned pages are recognised.
class LayoutStep : public ChoiceStep {
    Q_OBJECT
public:
    LayoutStep(MyConvertPara& para, QWidget* parent);
    void Load() override;
    void Store() override;

private:
    MyConvertPara& para_;
    QCheckBox* keepLines_;
    QComboBox* ocr_;
};

class ImageFilterStep : public ChoiceStep {
    Q_OBJECT
public:
    ImageFilterStep(MyConvertPara& para, QWidget* parent);
};

class SpacingStep : public ChoiceStep {
    Q_OBJECT
public:
    SpacingStep(MyConvertPara& para, QWidget* parent);
};

class RangeStep : public WindowPage {
    Q_OBJECT
public:
    RangeStep(MyConvertPara& para, QWidget* parent);
    void Load() override;
    void Store() override;

private:
    MyConvertPara& para_;
    QRadioButton* all_;
    QRadioButton* numbers_;
    QLineEdit* pages_;
};

class WordSummaryStep : public WindowPage {
    Q_OBJECT
public:
    WordSummaryStep(MyConvertPara& para, QWidget* parent);
    // Fills the summary and sets the job fields from the record.
    void Load() override;

private:
    bool FlowingKeepsLines() const;
    std::string OcrSummary() const;

    MyConvertPara& para_;
    std::vector<QLabel*> values_;
};
