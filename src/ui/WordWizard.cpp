#include "ui/WordWizard.h"

#include "ui/WordWizardSteps.h"

CWizardToWordDlg::CWizardToWordDlg(MyConvertPara& para, QWidget* parent) : CWizardDlg(parent) {
    setObjectName("wordWizard");
    AddStep(new CWizardToWordSetp1Dlg(para, this));
    AddStep(new CWizardToWordSetp2Dlg(para, this));
    AddStep(new CWizardToWordSetp3Dlg(para, this));
    AddStep(new CWizardToWordSetp4Dlg(para, this));
    AddStep(new CWizardToWordSetp5Dlg(para, this));
}
