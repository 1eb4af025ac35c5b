#include "ui/StartValues.h"

#include "convert/MyConvertPara.h"
#include "ui/Settings.h"

namespace ui {

void ApplyStartValues(MyConvertPara& para) {
    // The stored settings count from the start, not only after the settings page's OK.
    Settings settings = LoadSettings();
    ApplySettings(settings, para);
    para.sourceDir = settings.DestDir;
    para.imageFormat = "BMP";
}

}  // namespace ui
