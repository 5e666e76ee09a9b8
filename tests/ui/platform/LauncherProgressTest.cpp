#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QElapsedTimer>
#include <QVariantMap>
#include <thread>

#include "SignalRecorder.h"
#include "ui/platform/LauncherProgress.h"

namespace {

using s::platform::qt::LauncherProgress;

TEST(LauncherProgressTest, WithoutABusEveryOperationDoesNothing) {
    // No bus address and no per-user bus socket to fall back to.
    const QByteArray savedAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("XDG_RUNTIME_DIR");
    LauncherProgress progress;
    if (!savedAddress.isEmpty()) qputenv("DBUS_SESSION_BUS_ADDRESS", savedAddress);
    if (!savedRuntime.isEmpty()) qputenv("XDG_RUNTIME_DIR", savedRuntime);

    EXPECT_FALSE(progress.available());
    // Called from a worker, as the job does.
    std::thread worker([&progress] {
        progress.taskbarBusy();
        progress.taskbarProgress(3, 0);
        progress.taskbarProgress(5, 10);
        progress.taskbarClear();
    });
    worker.join();
    EXPECT_EQ(progress.appUri(), "application://tarvex.desktop");
    EXPECT_TRUE(progress.objectPath().startsWith("/com/canonical/unity/launcherentry/"));
}

TEST(LauncherProgressTest, SignalsCarryTheApplicationAndTheProgress) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
        !QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus";
    // A connection of its own, like a dock's: signals come back from the
    // bus in the order they were sent.
    QDBusConnection listener =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "launcher-listener");
    s::platform::qt::test::SignalRecorder recorder;
    ASSERT_TRUE(listener.connect(QString(), QString(), LauncherProgress::kInterface,
                                 LauncherProgress::kSignal, &recorder,
                                 SLOT(onMessage(QDBusMessage))));

    LauncherProgress progress;
    ASSERT_TRUE(progress.available());
    std::thread worker([&progress] {
        progress.taskbarBusy();
        progress.taskbarProgress(1, 4);
        progress.taskbarProgress(9, 4);
        progress.taskbarClear();
    });
    worker.join();

    QElapsedTimer timer;
    timer.start();
    while (recorder.received.size() < 4 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QDBusConnection::disconnectFromBus("launcher-listener");
    ASSERT_EQ(recorder.received.size(), 4);
    const double expectedProgress[] = {0.0, 0.25, 1.0, 0.0};
    const bool expectedVisible[] = {true, true, true, false};
    for (int i = 0; i < 4; ++i) {
        const QVariantList& arguments = recorder.received[i];
        ASSERT_EQ(arguments.size(), 2);
        EXPECT_EQ(arguments[0].toString(), "application://tarvex.desktop");
        const QVariantMap properties = qdbus_cast<QVariantMap>(arguments[1]);
        EXPECT_DOUBLE_EQ(properties.value("progress").toDouble(), expectedProgress[i]) << i;
        EXPECT_EQ(properties.value("progress-visible").toBool(), expectedVisible[i]) << i;
    }
}

}  // namespace
