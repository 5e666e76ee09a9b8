// An application base and a main-window frame over a fresh store in a
// temporary folder, for the frame tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingStore.h"
#include "shell/app/AppBase.h"
#include "shell/app/AppWindow.h"

namespace s::app::test {

class FrameFixture : public ::testing::Test {
protected:
    static constexpr char kView[] = "MainWindow\\View";

    // A store that already holds values before the frame is built.
    RecordingStore& store() {
        if (!store_) store_ = std::make_unique<RecordingStore>(folder_.file("registry.db"));
        return *store_;
    }

    s::app::win::AppBase& makeApp(std::vector<std::string> arguments = {}) {
        s::app::win::AppBase::Setup setup;
        setup.arguments = std::move(arguments);
        setup.databasePath = folder_.file("registry.db");
        setup.store = &store();
        setup.openUrl = [this](const std::string& url) {
            opened.push_back(url);
            return true;
        };
        app_ = s::app::win::AppBase::take();
        EXPECT_TRUE(app_->create(std::move(setup)));
        return *app_;
    }

    s::app::win::AppWindow& makeWindow(std::int32_t scale = 1) {
        s::app::win::AppWindow::Setup setup;
        setup.scale = scale;
        return makeWindow(std::move(setup));
    }

    s::app::win::AppWindow& makeWindow(s::app::win::AppWindow::Setup setup) {
        if (!app_) makeApp();
        window_ = s::app::win::AppWindow::take();
        window_->create(*app_, std::move(setup));
        store().writes.clear();
        return *window_;
    }

    std::vector<std::string> opened;
    TempFolder folder_;

private:
    std::unique_ptr<RecordingStore> store_;
    // Released before the store they use.
    s::thread::Pooled<s::app::win::AppBase> app_;
    s::thread::Pooled<s::app::win::AppWindow> window_;
};

}  // namespace s::app::test
