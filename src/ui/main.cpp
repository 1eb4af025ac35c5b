// vellumor: the desktop window of the converter.
#include <QApplication>

#include "convert/MyConvertPara.h"
#include "platform/InstanceLock.h"
#include "ui/CQuilletDlg.h"
#include "ui/StartValues.h"

int main(int argc, char** argv) {
    // One window per user: a second start leaves the first one alone.
    platform::InstanceLock lock("vellumor");
    if (lock.AnotherInstanceRuns()) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vellumor");
    static MyConvertPara para;
    ui::ApplyStartValues(para);
    CQuilletDlg window(para);
    window.show();
    return app.exec();
}
