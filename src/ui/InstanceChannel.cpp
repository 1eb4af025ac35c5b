#include "ui/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QUrl>

#include "platform/InstanceLock.h"

namespace ui {

QStringList FilesFromArguments(const QStringList& arguments, const QString& workingDir) {
    QStringList files;
    bool optionsEnd = false;
    for (const QString& argument : arguments) {
        if (!optionsEnd && argument == "--") {
            optionsEnd = true;
            continue;
        }
        if (argument.isEmpty() || (!optionsEnd && argument.startsWith('-'))) continue;
        QString path = argument;
        if (argument.startsWith("file:", Qt::CaseInsensitive)) {
            QUrl url(argument);
            if (!url.isLocalFile()) continue;
            path = url.toLocalFile();
        }
        files << QDir::cleanPath(QDir(workingDir).absoluteFilePath(path));
    }
    return files;
}

QString InstanceSocketPath() { return QString::fromStdString(platform::RuntimeDir()) + "/vellumor.socket"; }

bool HandToRunningInstance(const QStringList& files, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running window may still be on its way to listening.
    for (;;) {
        socket.connectToServer(InstanceSocketPath());
        if (socket.waitForConnected(500)) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    QByteArray message;
    for (const QString& file : files) message += file.toUtf8() + '\n';
    message += '\n';  // the end of the list
    socket.write(message);
    if (!socket.waitForBytesWritten(static_cast<int>(std::max<qint64>(500, deadline.remainingTime())))) return false;
    // The window answers once it has the list.
    socket.waitForReadyRead(static_cast<int>(std::max<qint64>(500, deadline.remainingTime())));
    socket.disconnectFromServer();
    return true;
}

InstanceChannel::InstanceChannel(std::function<void(const QStringList&)> received, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), received_(std::move(received)) {
    // The caller holds the instance lock: a socket left there is one of a program that ended.
    QLocalServer::removeServer(InstanceSocketPath());
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(InstanceSocketPath());
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
                *buffer += socket->readAll();
                if (!buffer->endsWith("\n\n") && *buffer != "\n") return;
                QStringList files;
                for (const QByteArray& line : buffer->split('\n'))
                    if (!line.isEmpty()) files << QString::fromUtf8(line);
                buffer->clear();
                socket->write("ok\n");
                socket->flush();
                if (received_) received_(files);
            });
        }
    });
}

InstanceChannel::~InstanceChannel() {
    server_->close();
}

bool InstanceChannel::Listening() const { return server_->isListening(); }

}  // namespace ui
