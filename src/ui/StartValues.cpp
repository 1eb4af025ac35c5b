#include "ui/StartValues.h"

#include <QDir>
#include <QStandardPaths>

#include "convert/MyConvertPara.h"

namespace ui {

void ApplyStartValues(MyConvertPara& para) {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A fresh account may have no Documents folder: results then go to the home folder.
    if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
    std::string folder = documents.isEmpty() ? std::string() : documents.toStdString() + "/";
    para.DestDir = folder;
    para.DocFormat = "doc";
    para.AutoOpen = "Yes";
    para.autoOpenFlag = 1;
    para.Language = "English";
    para.LogDir = folder;
    para.Layout = "FLOWING TEXT";
    para.ImageFilter = "No";
    para.Preserve = "Yes";
    para.AllPages = "No";
    para.sourceDir = folder;
    para.imageFormat = "BMP";
}

}  // namespace ui
