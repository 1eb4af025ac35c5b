#pragma once
// The two steps of the Extract-images wizard.
#include "ui/UiPrompts.h"
#include "ui/WindowPage.h"

class MyConvertPara;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class ImageChoicesStep : public WindowPage {
    Q_OBJECT
public:
    ImageChoicesStep(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent);
    void Load() override;
    void Store() override;
    // The folder must be a full path of an existing folder one can write to; a
    // missing one is offered to be created.
    bool CanGoOn() override;

private:
    MyConvertPara& para_;
    ui::UiPrompts& prompts_;
    QComboBox* format_;
    QLineEdit* folder_;
    QRadioButton* numbers_;
    QRadioButton* all_;
    QLineEdit* pages_;
};

class ImageSummaryStep : public WindowPage {
    Q_OBJECT
public:
    ImageSummaryStep(MyConvertPara& para, QWidget* parent);
    // Fills the summary and sets the image device and the job mode.
    void Load() override;

private:
    MyConvertPara& para_;
    QLabel* range_;
    QLabel* format_;
    QLabel* folder_;
};
