// vellumor: the desktop window of the converter.
#include <QApplication>
#include <QDir>

#include "convert/MyConvertPara.h"
#include "platform/InstanceLock.h"
#include "ui/InstanceChannel.h"
#include "ui/MainWindow.h"
#include "ui/StartValues.h"

int main(int argc, char** argv) {
    // One window per user: a second start hands its files to the first one and ends.
    platform::InstanceLock lock("vellumor");
    if (lock.AnotherInstanceRuns()) {
        QCoreApplication app(argc, argv);
        QStringList files = ui::FilesFromArguments(app.arguments().mid(1), QDir::currentPath());
        ui::HandToRunningInstance(files);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vellumor");
    static MyConvertPara para;
    ui::ApplyStartValues(para);
    MainWindow window(para);
    ui::InstanceChannel channel([&window](const QStringList& files) { window.AddFilesFromOutside(files); });
    window.show();
    // Files named on the command line are added as if chosen with "Add PDF Files".
    window.OpenArguments(app.arguments().mid(1), QDir::currentPath());
    return app.exec();
}
