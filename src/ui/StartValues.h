#pragma once
// The parameters record as the window starts with it.
class MyConvertPara;

namespace ui {
// The start values of the settings; the output folder is the user's Documents folder.
void ApplyStartValues(MyConvertPara& para);
}  // namespace ui
