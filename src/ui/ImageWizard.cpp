#include "ui/ImageWizard.h"

#include "convert/MyConvertPara.h"
#include "ui/ImageWizardSteps.h"

CWizardExImageDlg::CWizardExImageDlg(MyConvertPara& para, ui::UiPrompts& prompts, QWidget* parent)
    : CWizardDlg(parent), para_(para) {
    setObjectName("imageWizard");
    AddStep(new CWizardExtractImage1Dlg(para, prompts, this));
    AddStep(new CWizardExtractImage2Dlg(para, this));
}

void CWizardExImageDlg::Open() {
    para_.imageFormat = "JPG";
    CWizardDlg::Open();
}
