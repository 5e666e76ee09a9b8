// s::platform::qt::LauncherProgress -- the job's progress on the program's
// launcher or task-bar button, sent as com.canonical.Unity.LauncherEntry
// "Update" signals on the session bus (understood by the docks and panels
// that show launcher progress).
//
// Each signal carries the application's URI ("application://tarvex.desktop")
// and a map with "progress" (0..1) and "progress-visible": busy shows an
// empty bar, progress(done, total) fills it, clear hides it. Without a
// session bus every operation does nothing.
//
// The operations are called from the worker thread. They only send a
// message over a connection taken on the creating thread, which QtDBus
// allows from any thread, so they never wait for the user-interface thread.
//
//     LauncherProgress progress;          // on the user-interface thread
//     appWindow.setTaskbar(&progress);    // the worker calls taskbarBusy() ...
#pragma once

#include <QDBusConnection>
#include <QString>

#include "job/JobEvent.h"

namespace s::platform::qt {

class LauncherProgress final : public s::job::ITaskbarProgress {
public:
    static constexpr char kInterface[] = "com.canonical.Unity.LauncherEntry";
    static constexpr char kSignal[] = "Update";
    static constexpr char kDefaultDesktopId[] = "tarvex.desktop";

    explicit LauncherProgress(const QString& desktopId = QString::fromLatin1(kDefaultDesktopId));
    // A connection to use instead of the session bus (tests).
    LauncherProgress(const QString& desktopId, const QDBusConnection& connection);

    // Whether signals can be sent at all.
    bool available() const { return connected_; }
    const QString& appUri() const { return appUri_; }
    const QString& objectPath() const { return objectPath_; }

    void taskbarBusy() override;
    void taskbarProgress(std::uint32_t done, std::uint32_t total) override;
    void taskbarClear() override;

private:
    void send(double progress, bool visible);

    QDBusConnection connection_;
    bool connected_ = false;
    QString appUri_;
    QString objectPath_;
};

}  // namespace s::platform::qt
