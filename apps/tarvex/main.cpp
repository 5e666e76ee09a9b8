// tarvex: the desktop program's start-up. Builds the application services
// and the main window's frame, hands the command line's images to a copy
// already running (and exits), else shows the resize window, treats the
// images on its own command line as a drop, and runs until it is closed.
#include <QApplication>
#include <QSessionManager>
#include <QTimer>
#include <QUrl>

#include "BenchLog.h"
#include "shell/app/AppBase.h"
#include "shell/app/AppWindow.h"
#include "ui/dialogs/UpdatePrompt.h"
#include "ui/platform/DesktopOpener.h"
#include "ui/dialogs/About3.h"
#include "ui/dialogs/TarvexDialog.h"
#include "ui/platform/FileChooser.h"
#include "ui/platform/LauncherProgress.h"
#include "ui/platform/QtScreens.h"
#include "ui/platform/SingleInstance.h"
#include "ui/toolkit/DisplayScale.h"

namespace {

using s::app::win::AppBase;
using s::app::win::AppWindow;
using MainDialog = s::image::gui::dialogs::tarvex::Dialog;

std::vector<std::string> chooseImages(MainDialog& dialog) {
    return s::platform::qt::FileChooser::openImages(
        dialog.window() ? dialog.window()->nativeWidget() : nullptr, dialog.localizer());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    BenchLog* bench = BenchLog::fromEnvironment(&application);

    s::thread::Pooled<AppBase> app = AppBase::take();
    AppBase::Setup setup;
    setup.arguments.assign(argv + 1, argv + argc);
    setup.openUrl = s::platform::qt::DesktopOpener::openUrl;
    if (!app || !app->create(std::move(setup))) return 1;

    const std::int32_t scale = s::platform::qt::QtScreens::scaleFactor();
    s::gui::DisplayScale::set(scale);
    s::thread::Pooled<AppWindow> frame = AppWindow::take();
    AppWindow::Setup windowSetup;
    windowSetup.name = "MainWindow";
    windowSetup.scale = scale;
    s::platform::qt::LauncherProgress launcher;
    windowSetup.taskbar = &launcher;
    frame->create(*app, windowSetup);

    if (app->commandLine().empty()) app->handleSilentFlag();
    // A copy already running from this executable gets our images and comes
    // to the front; this one ends.
    s::platform::qt::SingleInstance instance(app->executablePath());
    if (instance.tryHandOver(app->commandLine().paths())) return 0;
    instance.listen();

    s::thread::Pooled<s::gui::dialogs::About3> about;
    MainDialog::Services services;
    services.openUrl = s::platform::qt::DesktopOpener::openUrl;
    services.chooseFiles = [](s::gui::dialogs::dragndrop::Dialog& dialog) {
        return chooseImages(static_cast<MainDialog&>(dialog));
    };
    services.showAbout = [&](s::gui::dialogs::dragndrop::Dialog& dialog) {
        if (!about) {
            about = s::gui::dialogs::About3::take();
            about->init(*app, scale, dialog.window()->nativeWidget());
        }
        about->show();
    };
    // Once after the window is shown; the download runs off the window's
    // thread and the question, if any, comes back to it.
    services.checkForUpdate = [&frame](s::gui::dialogs::dragndrop::Dialog& dialog) {
        s::gui::dialogs::startUpdateCheck(*frame, dialog.window()->nativeWidget());
    };

    s::thread::Pooled<MainDialog> dialog = MainDialog::take();
    dialog->attach(*frame, std::move(services));
    if (!dialog->buildWindow()) return 1;
    if (bench) bench->windowShown();

    instance.setHandler([&dialog](bool wake, const std::vector<std::string>& handed) {
        if (wake) dialog->wake();
        if (!handed.empty()) {
            QTimer::singleShot(0, [&dialog, handed] { dialog->acceptDrop(handed); });
        }
    });

    QObject::connect(&application, &QGuiApplication::commitDataRequest,
                     [&](QSessionManager&) { app->saveSettings(); });

    const std::vector<std::string> paths = app->commandLine().paths();
    if (!paths.empty()) {
        QTimer::singleShot(0, [&dialog, paths] { dialog->acceptDrop(paths); });
    }
    const int status = application.exec();
    // Waits for a job still running while the window's events keep flowing.
    dialog.reset();
    about.reset();
    return status;
}
