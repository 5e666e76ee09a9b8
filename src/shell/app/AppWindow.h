// s::app::win::AppWindow -- the persisted state of one top-level window
// ("MainWindow", "AboutWindow") and the services it offers that window.
//
// State lives in the store below the window's name: position, size and the
// View switches in a view section chosen by the display's scale factor
// ("View" at 1, "View4K" at 2, "View8K" at 4), so each display class keeps
// its own geometry; the window's own skin (only a window with its own
// skinner has one) in "<name>\\Skin".
//
// The geometry rules are pure: restorePlacement() turns the stored keys and
// the screens into the rectangle to show, rememberOnHide() and its two
// siblings write back what changed. Creation normalises "OnMClick" to one of
// "DoNothing", "Iconize" and "Close" (any other value becomes "DoNothing").
// The taskbar operations go to an injected progress service or do nothing.
//
//     s::thread::Pooled<AppWindow> window = AppWindow::take();
//     AppWindow::Setup setup;
//     setup.scale = s::app::ScaleFactor::forScreenSize(1920, 1080);
//     window->create(app, setup);
//     const AppWindow::Placement placement = window->restorePlacement(screens);
//
// Used from the user-interface thread, except the taskbar operations, which
// the worker calls and which are as thread-safe as the injected service.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "job/JobEvent.h"
#include "shell/app/AppBase.h"
#include "shell/app/IAppWindow.h"
#include "shell/app/Screens.h"

namespace s::app::win {

class AppWindow final : public s::app::IAppWindow,
                        public s::base::IObject,
                        public s::thread::IPoolable {
    TARVEX_POOLED(AppWindow, "s_app_win_AppWindow")
public:
    static constexpr std::int32_t kBaseSize = 250;

    enum class MiddleClick { DoNothing, Iconize, Close };
    enum class WindowState { Normal, Minimized, Maximized };

    struct Setup {
        std::string name = "MainWindow";
        std::int32_t scale = 1;          // 1, 2 or 4 (ScaleFactor)
        std::int32_t defaultWidth = 0;   // 0: 250 x scale
        std::int32_t defaultHeight = 0;  // 0: 250 x scale
        MiddleClick defaultMiddleClick = MiddleClick::Close;
        // A window with its own skinner keeps its own skin name (the About
        // window: "Classic LG"); skinExists tells which names its skinner has.
        bool hasOwnSkin = false;
        std::string defaultSkin;
        AppBase::SkinExists skinExists;
        s::lang::Localizer* localizer = nullptr;      // none: the application's
        s::job::ITaskbarProgress* taskbar = nullptr;  // none: no progress shown; not owned
    };

    // What to show: rect with the stored or the centred position.
    struct Placement {
        s::app::Rect rect;
        bool storedPosition = false;  // rect.x/y came from the store and are reachable
        bool maximized = false;       // show maximized
    };

    AppWindow() = default;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    void create(AppBase& app, Setup setup);
    void reset() override;

    IAppBase& app() override { return *app_; }
    AppBase& appBase() { return *app_; }
    const std::string& name() const override { return name_; }
    std::string section(std::string_view sub) const override;
    // "View", "View4K" or "View8K".
    const std::string& viewSection() const { return viewSection_; }
    // The section of the View keys: name, "\\" and viewSection().
    std::string viewPath() const { return section(viewSection_); }
    static const char* viewSectionForScale(std::int32_t scale);
    s::lang::Localizer& localizer() override;
    std::uint32_t textIdBase() const override { return AppBase::kTextIdBase; }
    std::int32_t scale() const { return scale_; }

    std::string skin() override;
    void setSkin(std::string_view name) override;
    bool hasOwnSkin() const override { return hasOwnSkin_; }

    // Position and size.
    bool hasX();
    bool hasY();
    bool hasWidth();
    bool hasHeight();
    bool hasPosition() { return hasX() && hasY(); }
    std::int32_t x();
    std::int32_t y();
    std::int32_t width();   // default 250 x scale
    std::int32_t height();  // default 250 x scale
    void setX(std::int32_t value);
    void setY(std::int32_t value);
    void setWidth(std::int32_t value);
    void setHeight(std::int32_t value);
    void setRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    void setSize(std::int32_t width, std::int32_t height);
    void forgetRect();
    std::int32_t defaultWidth() const { return defaultWidth_; }
    std::int32_t defaultHeight() const { return defaultHeight_; }
    // 10 <= value <= the virtual screen's width / height.
    static bool isWidthValid(std::int32_t width, const s::app::Rect& virtualScreen);
    static bool isHeightValid(std::int32_t height, const s::app::Rect& virtualScreen);

    // View switches.
    bool easyDrag();  // default true
    void setEasyDrag(bool on);
    bool maximized();  // default false
    void setMaximized(bool on);
    bool keepOnTop();  // default true
    void setKeepOnTop(bool on);

    // Middle-click action ("OnMClick").
    bool isMiddleClickClose();
    bool isMiddleClickIconize();
    MiddleClick middleClickAction();
    // Stores the action only when it differs from the stored one.
    void setMiddleClickAction(MiddleClick action);
    static const char* middleClickName(MiddleClick action);

    // Where to show the window: the stored position when both X and Y exist
    // and the window is reachable there, else centred in the primary work
    // area; the stored size (missing values take the defaults).
    Placement restorePlacement(const s::app::Screens& screens);
    // Hiding (closing included): maximized -> Maximized true; minimized ->
    // nothing; normal -> Maximized cleared and each of X/Y/Width/Height
    // written when missing or different from rect.
    void rememberOnHide(WindowState state, const s::app::Rect& rect);
    // Minimizing stores Maximized false and the last normal rectangle;
    // maximizing stores Maximized true and the last normal rectangle.
    void rememberOnMinimize(const s::app::Rect& normalRect);
    void rememberOnMaximize(const s::app::Rect& normalRect);

    void taskbarBusy() override;
    void taskbarProgress(std::uint32_t done, std::uint32_t total) override;
    void taskbarClear() override;
    void setTaskbar(s::job::ITaskbarProgress* taskbar) { taskbar_ = taskbar; }

private:
    bool hasView(std::string_view value);
    std::int32_t getView(std::string_view value, std::int32_t def);
    void setView(std::string_view value, std::int32_t v);
    void writeWhenChanged(std::string_view value, std::int32_t v);
    void normaliseMiddleClick();
    s::map::IMappedData& store() { return app_->store(); }

    AppBase* app_ = nullptr;
    std::string name_;
    std::string viewSection_;
    std::int32_t scale_ = 1;
    std::int32_t defaultWidth_ = kBaseSize;
    std::int32_t defaultHeight_ = kBaseSize;
    MiddleClick defaultMiddleClick_ = MiddleClick::Close;
    bool hasOwnSkin_ = false;
    std::string defaultSkin_;
    AppBase::SkinExists skinExists_;
    s::lang::Localizer* localizer_ = nullptr;
    s::job::ITaskbarProgress* taskbar_ = nullptr;
};

}  // namespace s::app::win
