#pragma once
// The Convert-to-Word wizard: layout, image filter, character spacing, range, summary.
#include "ui/Wizard.h"

class MyConvertPara;

class CWizardToWordDlg : public CWizardDlg {
    Q_OBJECT
public:
    CWizardToWordDlg(MyConvertPara& para, QWidget* parent = nullptr);
};
