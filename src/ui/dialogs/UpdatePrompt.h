// The desktop side of the update check: starts s::app::update::UpdateCheck
// for the main window with the pieces of this platform.
//
//   - online: the network reachability Qt reports where a backend loads
//     (offline only when it says "disconnected"); online when none loads;
//   - the question: a FlexAsker over the main window, "Yes"/"No" (400330,
//     400340), no don't-ask-again box;
//   - the product page: the desktop's web browser;
//   - the download's end reaches the window's thread as a queued call to an
//     object owned by the main window, so the window never waits for the
//     network, and a window closed meanwhile simply drops the rest.
//
// Call once, after the main window is shown:
//
//     s::gui::dialogs::startUpdateCheck(mainFrame, mainWidget);
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "shell/app/AppWindow.h"
#include "shell/update/UpdateCheck.h"

namespace s::gui::dialogs {

// Replacements for the platform pieces (tests; everything optional).
struct UpdatePromptOptions {
    std::function<bool()> isOnline;
    std::function<std::int32_t()> hoursNow;
    std::int32_t timeoutMs = s::app::update::UpdateCheck::kTimeoutMs;
    std::shared_ptr<s::app::update::IUpdateAsker> asker;
    std::function<void(const std::string& url)> openUrl;
    std::string versionPage;  // empty: text 500006
    // Runs on the window's thread once the check has stored its hour and the
    // user answered (not for checks that stop before downloading).
    std::function<void(const s::app::update::UpdateCheck&)> finished;
};

// Runs the update check for the main window's frame; the window's Version
// section ("MainWindow\\Version") holds the hour of the last check.
s::app::update::UpdateCheck::Outcome startUpdateCheck(s::app::win::AppWindow& frame,
                                                      QWidget* mainWindow,
                                                      UpdatePromptOptions options = {});

// What the platform says about the network: false only when a reachability
// backend loads and reports the computer disconnected.
bool networkLooksOnline();

}  // namespace s::gui::dialogs
