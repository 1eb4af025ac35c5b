#pragma once
// The Convert-to-Word wizard: layout, image filter, character spacing, range, summary.
#include "ui/Wizard.h"

class MyConvertPara;

class WordWizard : public Wizard {
    Q_OBJECT
public:
    WordWizard(MyConvertPara& para, QWidget* parent = nullptr);
};
