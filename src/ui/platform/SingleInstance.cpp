#include "ui/platform/SingleInstance.h"

#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

#include "ui/platform/HandOverMessage.h"

namespace s::platform::qt {

namespace {

constexpr int kConnectMs = 1000;
constexpr int kWriteMs = 1000;
// A live server accepts at once; a stale file refuses at once.
constexpr int kProbeMs = 500;

QString defaultSocketFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
    return QDir::tempPath();
}

bool sendAll(QLocalSocket& socket, const QByteArray& bytes) {
    if (socket.write(bytes) != bytes.size()) return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kWriteMs)) return false;
    }
    return true;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& executablePath, const QString& socketFolder,
                               QObject* parent)
    : QObject(parent),
      socketPath_(socketPathFor(executablePath, static_cast<unsigned>(::getuid()),
                                socketFolder.isEmpty() ? defaultSocketFolder() : socketFolder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPathFor(const std::string& canonicalExecutablePath, unsigned userId,
                                      const QString& socketFolder) {
    QByteArray key = QByteArray::fromStdString(canonicalExecutablePath);
    key += '\n';
    key += QByteArray::number(userId);
    const QByteArray digest =
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24);
    return QDir(socketFolder)
        .filePath(
            QStringLiteral("tarvex-%1-%2.socket").arg(userId).arg(QString::fromLatin1(digest)));
}

bool SingleInstance::tryHandOver(const std::vector<std::string>& paths) {
    return notifyOther(true, paths);
}

bool SingleInstance::notifyOther(bool wake, const std::vector<std::string>& paths) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectMs)) return false;
    if (wake) {
        HandOverMessage message;
        message.wake = true;
        for (const std::string& path : paths)
            message.paths.append(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
        // A copy that answered but could not be written to is still running:
        // starting a second one beside it is not what the user asked for.
        sendAll(socket, message.encode());
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWriteMs);
    return true;
}

bool SingleInstance::isListening() const {
    return server_ && server_->isListening();
}

bool SingleInstance::listen() {
    if (isListening()) return true;
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    }
    // With access options Qt makes the socket aside and renames it over the
    // name, replacing any file there, so a live copy must be asked first.
    if (QFileInfo::exists(socketPath_)) {
        QLocalSocket probe;
        probe.connectToServer(socketPath_);
        if (probe.waitForConnected(kProbeMs)) {
            probe.disconnectFromServer();
            return false;
        }
        // Nobody answers: a crashed copy left the file behind.
        QLocalServer::removeServer(socketPath_);
    }
    return server_->listen(socketPath_);
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) serve(socket);
}

void SingleInstance::serve(QLocalSocket* socket) {
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        HandOverMessage message;
        qsizetype consumed = 0;
        const HandOverMessage::Parse result = message.parse(*buffer, consumed);
        if (result == HandOverMessage::Parse::NeedMore &&
            buffer->size() <= HandOverMessage::kMaxMessageBytes)
            return;
        // One message per connection; anything else ends it.
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        if (result == HandOverMessage::Parse::Complete) deliver(message.wake, message.paths);
    });
    // Data may have arrived before the connection was picked up.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(socket, "readyRead", Qt::QueuedConnection);
}

void SingleInstance::deliver(bool wake, const QStringList& paths) {
    emit handedOver(wake, paths);
    if (!handler_) return;
    std::vector<std::string> converted;
    converted.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& path : paths) converted.push_back(path.toStdString());
    handler_(wake, converted);
}

}  // namespace s::platform::qt
