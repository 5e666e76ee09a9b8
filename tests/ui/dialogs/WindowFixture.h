// A resize window on the offscreen platform over a private settings
// database, built as the program builds it, with helpers that drop files
// on the Drop Box the way a file manager does and wait for the job.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "DialogTestSupport.h"
#include "shell/app/AppBase.h"
#include "shell/app/AppWindow.h"
#include "ui/dialogs/TarvexDialog.h"
#include "ui/toolkit/DisplayScale.h"

namespace tarvex::dialogtest {

using MainDialog = s::image::gui::dialogs::tarvex::Dialog;

// Runs fn on each job event after the window has handled it.
class JobEventSpy : public s::gui::events::IEventListener {
public:
    std::function<void(const s::gui::win::Window::UserEvent&)> onJobEvent;
    s::gui::win::Window* window = nullptr;
    void onEvent(s::base::IObject&, std::int32_t kind) override {
        if (kind == s::gui::win::Window::kUserEvent && onJobEvent) onJobEvent(window->userEvent());
    }
};

class WindowSession {
public:
    explicit WindowSession(std::int32_t scale = 1) { open(scale); }
    ~WindowSession() { close(); }

    void open(std::int32_t scale = 1) {
        s::gui::DisplayScale::set(scale);
        app = s::app::win::AppBase::take();
        s::app::win::AppBase::Setup setup;
        setup.openUrl = [this](const std::string& url) {
            openedUrls.push_back(url);
            return true;
        };
        ASSERT_TRUE(app->create(std::move(setup)));
        frame = s::app::win::AppWindow::take();
        s::app::win::AppWindow::Setup windowSetup;
        windowSetup.scale = scale;
        frame->create(*app, windowSetup);
        dialog = MainDialog::take();
        MainDialog::Services services;
        services.openUrl = setup.openUrl;
        services.openUrl = [this](const std::string& url) {
            openedUrls.push_back(url);
            return true;
        };
        dialog->attach(*frame, std::move(services));
        ASSERT_TRUE(dialog->buildWindow());
        spy.window = dialog->window();
        dialog->window()->addListener(s::gui::win::Window::kUserEvent, &spy);
        QApplication::processEvents();
    }
    void close() {
        if (dialog && dialog->window() && !dialog->window()->isClosed()) dialog->window()->close();
        dialog.reset();
        frame.reset();
        app.reset();
        s::gui::DisplayScale::set(1);
    }

    // Drops local files on the Drop Box: a drag entering, then the drop.
    void drop(const std::vector<std::string>& paths) {
        QWidget* target = dialog->dropBox()->content().nativeWidget();
        ASSERT_NE(target, nullptr);
        QMimeData data;
        QList<QUrl> urls;
        for (const auto& path : paths) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
        data.setUrls(urls);
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropEvent);
    }
    bool waitUntilIdle(int ms = 60000) {
        return QTest::qWaitFor([this] { return !dialog->isBusy(); }, ms);
    }
    void chooseMenu(std::int32_t command) {
        dialog->window()->menuChosen(*dialog->window()->menu(), command);
    }

    s::thread::Pooled<s::app::win::AppBase> app;
    s::thread::Pooled<s::app::win::AppWindow> frame;
    s::thread::Pooled<MainDialog> dialog;
    JobEventSpy spy;
    std::vector<std::string> openedUrls;
};

}  // namespace tarvex::dialogtest
