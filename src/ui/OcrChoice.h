#pragma once
// The choice of when pages are recognised from their picture, one combo for
// the settings page and the wizard alike; its items carry the OcrMode.
class QComboBox;
class QWidget;

namespace ui {

// The text the window shows for an OcrMode.
const char* OcrModeText(int mode);
QComboBox* MakeOcrChoice(const char* name, QWidget* parent);
void ShowOcrMode(QComboBox* box, int mode);
int ChosenOcrMode(const QComboBox* box);

}  // namespace ui
