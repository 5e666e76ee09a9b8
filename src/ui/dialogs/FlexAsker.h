// s::gui::dialogs::FlexAsker -- a yes/no question in a window of its own,
// answered modally: ask() shows the window and returns once the user has
// answered (true for Yes). Closing the window or pressing Escape answers No.
//
// The window has its own frame state ("FlexAskerWindow", 400 x 200 x scale),
// Yes and No labels given by language id (padding and no-break spaces in
// them are kept on screen and trimmed from the accessible names), and an
// optional "don't ask again" box whose state dontAskAgain() reports.
//
//     s::thread::Pooled<FlexAsker> asker = FlexAsker::take();
//     asker->init(app, scale);
//     asker->setLabels(400330, 400340, 400380, false);
//     if (asker->ask(mainWidget, title, message)) ...;
//
// An absent title shows text 400300 ("Confirmation Dialog"), an absent
// message text 400320. Used on the user-interface thread only; ask() runs a
// local event loop, so other windows keep working while it waits.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "shell/app/AppWindow.h"

namespace s::gui::dialogs {

class FlexAsker final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(FlexAsker, "s_gui_dialogs_FlexAsker")
public:
    static constexpr std::int32_t kWidth = 400;
    static constexpr std::int32_t kHeight = 200;
    static constexpr const char* kWindowName = "FlexAskerWindow";

    FlexAsker() = default;
    ~FlexAsker() override;
    FlexAsker(const FlexAsker&) = delete;
    FlexAsker& operator=(const FlexAsker&) = delete;

    void init(s::app::win::AppBase& app, std::int32_t scale);
    void reset() override;

    void setLabels(std::int32_t yesId, std::int32_t noId, std::int32_t dontAskId, bool showDontAsk);
    bool ask(QWidget* owner, std::optional<std::string> title = std::nullopt,
             std::optional<std::string> message = std::nullopt);
    bool answer() const { return answer_; }
    bool dontAskAgain() const { return dontAskAgain_; }

    // Called with the window once it is shown, before waiting for the answer
    // (tests answer through it).
    void setShownHook(std::function<void(QWidget&)> hook) { shownHook_ = std::move(hook); }

private:
    QWidget* buildWindow(QWidget* owner, const std::string& title, const std::string& message);

    s::app::win::AppBase* app_ = nullptr;
    std::int32_t scale_ = 1;
    s::thread::Pooled<s::app::win::AppWindow> frame_;
    std::int32_t yesId_ = 400330;
    std::int32_t noId_ = 400340;
    std::int32_t dontAskId_ = 400380;
    bool showDontAsk_ = false;
    bool answer_ = false;
    bool dontAskAgain_ = false;
    bool asking_ = false;
    std::function<void(QWidget&)> shownHook_;
};

}  // namespace s::gui::dialogs
