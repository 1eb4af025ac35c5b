#pragma once
// The five steps of the Convert-to-Word wizard.
#include <string>
#include <utility>
#include <vector>

#include "ui/WindowPage.h"

class MyConvertPara;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

// A step that chooses one of a few values of a text field of the record.
class CChoiceStepDlg : public WindowPage {
    Q_OBJECT
public:
    // Options: radio text and the value stored for it.
    CChoiceStepDlg(const QString& title, std::vector<std::pair<QString, std::string>> options, std::string& field,
                   QWidget* parent);
    void Load() override;
    void Store() override;

private:
    std::vector<std::pair<QString, std::string>> options_;
    std::string& field_;
    QButtonGroup* group_;
};

class CWizardToWordSetp1Dlg : public CChoiceStepDlg {
    Q_OBJECT
public:
    CWizardToWordSetp1Dlg(MyConvertPara& para, QWidget* parent);
};

class CWizardToWordSetp2Dlg : public CChoiceStepDlg {
    Q_OBJECT
public:
    CWizardToWordSetp2Dlg(MyConvertPara& para, QWidget* parent);
};

class CWizardToWordSetp3Dlg : public CChoiceStepDlg {
    Q_OBJECT
public:
    CWizardToWordSetp3Dlg(MyConvertPara& para, QWidget* parent);
};

class CWizardToWordSetp4Dlg : public WindowPage {
    Q_OBJECT
public:
    CWizardToWordSetp4Dlg(MyConvertPara& para, QWidget* parent);
    void Load() override;
    void Store() override;

private:
    MyConvertPara& para_;
    QRadioButton* all_;
    QRadioButton* numbers_;
    QLineEdit* pages_;
};

class CWizardToWordSetp5Dlg : public WindowPage {
    Q_OBJECT
public:
    CWizardToWordSetp5Dlg(MyConvertPara& para, QWidget* parent);
    // Fills the summary and sets the job fields from the record.
    void Load() override;

private:
    MyConvertPara& para_;
    std::vector<QLabel*> values_;
};
