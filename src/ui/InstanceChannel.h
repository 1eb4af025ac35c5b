#pragma once
// The way a second start of the program hands its files to the window that
// already runs: a local socket in the user's runtime folder, beside the
// instance lock. The running window listens; a second start sends the full
// paths of its files, one a line, and ends.
#include <QObject>
#include <QStringList>
#include <functional>

class QLocalServer;

namespace ui {

// The files named on a command line (paths, or file: URLs as desktops may pass
// them), made absolute against `workingDir`; Qt's own options are gone by now.
QStringList FilesFromArguments(const QStringList& arguments, const QString& workingDir);

// "<runtime folder>/vellumor.socket".
QString InstanceSocketPath();

// Sends `files` to the running window; false when none answered within `timeoutMs`
// (it may still be starting: the connection is tried again until then).
bool HandToRunningInstance(const QStringList& files, int timeoutMs = 5000);

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // Calls `received` on the window's thread with the files of each later start
    // (empty when that start named none: the window still comes to the front).
    explicit InstanceChannel(std::function<void(const QStringList&)> received, QObject* parent = nullptr);
    ~InstanceChannel() override;
    bool Listening() const;

private:
    QLocalServer* server_;
    std::function<void(const QStringList&)> received_;
};

}  // namespace ui
