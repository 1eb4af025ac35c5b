#pragma once
// The parameters record as the window starts with it.
class MyConvertPara;

namespace ui {
// The stored settings (each missing one at its default) and the other start values.
void ApplyStartValues(MyConvertPara& para);
}  // namespace ui
