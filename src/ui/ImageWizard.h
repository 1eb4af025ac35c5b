#pragma once
// The Extract-images wizard: format, folder and range, then the summary.
#include "ui/UiPrompts.h"
#include "ui/Wizard.h"

class MyConvertPara;

class ImageWizard : public Wizard {
    Q_OBJECT
public:
    ImageWizard(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent = nullptr);
    // Opens on the first step with "JPG" chosen, whatever was chosen the time before.
    void Open() override;

private:
    MyConvertPara& para_;
};
