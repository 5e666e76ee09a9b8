// s::platform::qt::SingleInstance -- one running copy per executable and
// user: a second start of the same executable hands its image paths to the
// first and exits.
//
// The running copy listens on a local socket named from a hash of the
// canonical executable path and the user id, in $XDG_RUNTIME_DIR (else the
// temporary folder), open to this user only. A copy started from another
// folder has another name and runs alongside. A socket file left behind by a
// crashed copy is noticed (nobody answers on it), removed and taken over.
//
//     SingleInstance instance(app.executablePath());
//     if (instance.tryHandOver(app.commandLine().paths())) return 0;  // the other copy has them
//     instance.listen();
//     QObject::connect(&instance, &SingleInstance::handedOver, &window, ...);
//
// Paths are made absolute against this process's working folder before they
// are sent, so the receiving copy opens the files the user meant. Lives on
// the user-interface thread.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "shell/app/ISingleInstance.h"

class QLocalServer;
class QLocalSocket;

namespace s::platform::qt {

class SingleInstance final : public QObject, public s::app::ISingleInstance {
    Q_OBJECT
public:
    using Handler = std::function<void(bool wake, const std::vector<std::string>& paths)>;

    // socketFolder empty: $XDG_RUNTIME_DIR, else the temporary folder.
    explicit SingleInstance(const std::string& executablePath,
                            const QString& socketFolder = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket's full path for an executable and a user.
    static QString socketPathFor(const std::string& canonicalExecutablePath, unsigned userId,
                                 const QString& socketFolder);
    const QString& socketPath() const { return socketPath_; }

    // Connects to a running copy and sends it a wake-up and the paths.
    // True when a copy answered: the caller should exit.
    bool tryHandOver(const std::vector<std::string>& paths);
    bool notifyOther(bool wake, const std::vector<std::string>& paths) override;

    // Starts serving, taking over a stale socket file. False when another
    // copy already serves the name or the socket cannot be made.
    bool listen();
    bool isListening() const;

    // Called (besides the signal) for every hand-over received.
    void setHandler(Handler handler) { handler_ = std::move(handler); }

signals:
    void handedOver(bool wake, const QStringList& paths);

private:
    void onNewConnection();
    void serve(QLocalSocket* socket);
    void deliver(bool wake, const QStringList& paths);

    QString socketPath_;
    QLocalServer* server_ = nullptr;
    Handler handler_;
};

}  // namespace s::platform::qt
