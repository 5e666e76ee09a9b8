// The application services over a private settings folder, for the About
// window and update-question tests.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/app/AppBase.h"
#include "ui/toolkit/DisplayScale.h"

namespace tarvex::abouttest {

class AppSession : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "/tarvex-about-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        startApp();
    }
    void TearDown() override {
        app.reset();
        if (oldConfig_) {
            ::setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        s::gui::DisplayScale::set(1);
        std::filesystem::remove_all(folder_);
    }

    void startApp() {
        app = s::app::win::AppBase::take();
        ASSERT_TRUE(app);
        ASSERT_TRUE(app->create(s::app::win::AppBase::Setup{}));
        app->localizer().selectLanguage("English");
    }

    s::thread::Pooled<s::app::win::AppBase> app;

private:
    std::string folder_;
    std::optional<std::string> oldConfig_;
};

// Where the tests leave pictures for a person to look at.
inline std::string screenshotFolder() {
    const std::string folder = std::filesystem::current_path().string() + "/screenshots";
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace tarvex::abouttest
