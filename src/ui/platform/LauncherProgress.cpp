#include "ui/platform/LauncherProgress.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>
#include <algorithm>

namespace s::platform::qt {

namespace {

constexpr char kPathPrefix[] = "/com/canonical/unity/launcherentry/";

// Object paths allow [A-Za-z0-9_] only, so the desktop id is hashed.
QString objectPathFor(const QString& desktopId) {
    const QByteArray digest =
        QCryptographicHash::hash(desktopId.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QString::fromLatin1(kPathPrefix) + QString::fromLatin1(digest);
}

QDBusConnection sessionBusIfAny() {
    // Asking for the session bus where there is none only prints warnings,
    // so first check that one can be found: by its address, or at the
    // standard per-user socket that the bus library also falls back to.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool hasBus = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
                        (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")));
    return hasBus ? QDBusConnection::sessionBus() : QDBusConnection(QString());
}

}  // namespace

LauncherProgress::LauncherProgress(const QString& desktopId)
    : LauncherProgress(desktopId, sessionBusIfAny()) {}

LauncherProgress::LauncherProgress(const QString& desktopId, const QDBusConnection& connection)
    : connection_(connection),
      connected_(connection.isConnected()),
      appUri_(QStringLiteral("application://") + desktopId),
      objectPath_(objectPathFor(desktopId)) {}

void LauncherProgress::taskbarBusy() {
    send(0.0, true);
}

void LauncherProgress::taskbarProgress(std::uint32_t done, std::uint32_t total) {
    // total 0 would divide by zero; done beyond total is shown as full.
    const double fraction =
        total == 0 ? 0.0 : std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
    send(fraction, true);
}

void LauncherProgress::taskbarClear() {
    send(0.0, false);
}

void LauncherProgress::send(double progress, bool visible) {
    if (!connected_) return;
    QDBusMessage signal = QDBusMessage::createSignal(objectPath_, QString::fromLatin1(kInterface),
                                                     QString::fromLatin1(kSignal));
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), progress);
    properties.insert(QStringLiteral("progress-visible"), visible);
    signal << appUri_ << properties;
    connection_.send(signal);
}

}  // namespace s::platform::qt
