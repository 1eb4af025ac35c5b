#include "ui/WordWizard.h"

#include "ui/WordWizardSteps.h"

WordWizard::WordWizard(MyConvertPara& para, QWidget* parent) : Wizard(parent) {
    setObjectName("wordWizard");
    AddStep(new LayoutStep(para, this));
    AddStep(new ImageFilterStep(para, this));
    AddStep(new SpacingStep(para, this));
    AddStep(new RangeStep(para, this));
    AddStep(new WordSummaryStep(para, this));
}
