#include "ui/ImageWizard.h"

#include "convert/MyConvertPara.h"
#include "ui/ImageWizardSteps.h"

ImageWizard::ImageWizard(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent)
    : Wizard(parent), para_(para) {
    setObjectName("imageWizard");
    AddStep(new ImageChoicesStep(para, prompts, this));
    AddStep(new ImageSummaryStep(para, this));
}

void ImageWizard::Open() {
    para_.imageFormat = "JPG";
    Wizard::Open();
}
