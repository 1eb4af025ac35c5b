#include "ui/OcrChoice.h"

#include <QComboBox>

#include "convert/CConvertPara.h"
#include "ui/UiTexts.h"

namespace ui {

const char* OcrModeText(int mode) {
    switch (mode) {
    case OcrAlways:
        return text::kOcrAlways;
    case OcrNever:
        return text::kOcrNever;
    default:
        return text::kOcrAuto;
    }
}

QComboBox* MakeOcrChoice(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int mode : {OcrAuto, OcrAlways, OcrNever}) box->addItem(OcrModeText(mode), mode);
    box->setToolTip(text::kOcrExplanation);
    return box;
}

void ShowOcrMode(QComboBox* box, int mode) {
    int i = box->findData(mode);
    box->setCurrentIndex(i >= 0 ? i : 0);
}

int ChosenOcrMode(const QComboBox* box) { return box->currentData().toInt(); }

}  // namespace ui
