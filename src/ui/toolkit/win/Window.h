// s::gui::win::Window -- a top-level window: a plain top-level QWidget with
// an optional menu bar (MenuEx), a title, icons, and a component tree laid
// out by the window's layout manager (a shared Vertical by default) inside
// its client area (below the menu bar); a status bar child is docked at the
// bottom afterwards.
//
// Building a window:
//     auto window = s::gui::win::Window::take();
//     window->setLocalizer(&localizer);          // texts by language id
//     window->setTitleId(500000);
//     auto& panel = window->add(s::gui::win::Box::take());
//     ...                                        // controls, listeners
//     window->create();                          // makes every widget
//     window->setBounds(x, y, w, h);
//     window->show();
// Components added after create() get their widgets at once.
//
// Events (kinds raised to listeners added with addListener(kind, l)):
//   1 close requested (a listener may cancelClose()), 2 user event,
//   3 right press, 4 resized (also by minimise/maximise/restore), 5 left
//   press, 6 activated, 7 deactivated, 9 middle press, 11 moved, 12 key
//   pressed (keyCode(); Escape included), 16 double click, 30 skin changed. Menu choices go to
//   the menu listeners (addMenuListener) as (menu, command id).
//
// sendUserEvent() may be called from any thread. On another thread it
// blocks until the window's thread has dispatched the event (a blocking
// queued call), so the UI thread must never wait for that thread while it
// may be sending. The record is readable through userEvent() during the
// dispatch. Events for a window without a widget are dropped.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <QPainter>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "shell/lang/ILocalizerListener.h"
#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/win/MenuEx.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::drawer {
class ISkin;
class Skinner;
}

namespace s::gui::win {

class Window : public NativeComponent<s::gui::Container>, public s::lang::ILocalizerListener {
    TARVEX_POOLED(Window, "s_gui_win_Window")
public:
    enum WindowEvent : std::int32_t {
        kClose = 1,
        kUserEvent = 2,
        kRightPress = 3,
        kResized = 4,
        kLeftPress = 5,
        kActivated = 6,
        kDeactivated = 7,
        kMiddlePress = 9,
        kMoved = 11,
        kKeyPressed = 12,
        kDoubleClick = 16,
        // The skinner's current skin changed and the window took it; the
        // frame stores skinner()->currentSkin()->name() then.
        kSkinChanged = 30,
    };
    // List of the menu listeners: they receive (menu, command id).
    static constexpr std::int32_t kMenuList = 1000;
    enum MiddleClick : std::int32_t { kDoNothing = 0, kIconize = 1, kCloseWindow = 2 };
    enum State : std::int32_t { kNormal = 0, kMinimized = 1, kMaximized = 2 };

    struct UserEvent {
        std::string name;
        std::int32_t argument1 = 0;
        std::int32_t argument2 = 0;
        std::string text;
    };

    Window();
    ~Window() override;
    void reset() override;
    // The skinner tells of a change of the current skin (kind 0).
    void onEvent(s::base::IObject& source, std::int32_t kind) override;

    // Makes the top-level widget and every child's; false when refused.
    bool create();
    bool isCreated() const { return nativeWidget() != nullptr; }
    // Destroys every widget (the component tree stays).
    void destroy();

    // --- texts and language --------------------------------------------
    void setLocalizer(s::lang::Localizer* localizer);
    s::lang::Localizer* localizer() override { return localizer_; }
    void onLanguageChanged(s::lang::Localizer& localizer) override;
    void relabel() override;
    void setTitle(std::string title);
    void setTitleId(std::int32_t id);
    const std::string& title() const { return title_.text(); }

    // --- look -----------------------------------------------------------
    void setIcons(const std::vector<QImage>& images);
    // Icons from encoded image files (PNG, ICO...) held in memory.
    void setIconBytes(const std::vector<std::vector<unsigned char>>& files);
    void setMenu(s::thread::Pooled<MenuEx> menu);
    MenuEx* menu() const { return menu_.get(); }
    void addMenuListener(s::gui::events::IEventListener* l) { addListener(kMenuList, l); }
    // Height of the menu bar above the client area (0 without a menu).
    std::int32_t menuBarHeight() const;
    void setSkinner(s::gui::drawer::Skinner* skinner);
    s::gui::drawer::Skinner* skinner() const { return skinner_; }
    // Window background painter (a skin's window drawer); empty: plain colour.
    void setWindowPainter(std::function<void(QPainter&, const QRect&)> painter);
    // Paints the window's background (the widget's paint event).
    void paintBackground(QPainter& p, const QRect& area);

    // --- behaviour ------------------------------------------------------
    void setTopmost(bool on);
    bool isTopmost() const { return topmost_; }
    void setEasyDrag(bool on) { easyDrag_ = on; }
    bool isEasyDrag() const { return easyDrag_; }
    void setMiddleClickAction(std::int32_t action) { middleClick_ = action; }
    std::int32_t middleClickAction() const { return middleClick_; }
    // Lets the user resize the window by its frame (default on).
    void setResizable(bool on);

    // --- closing --------------------------------------------------------
    // A close request: kind 1 to the listeners, then, unless vetoed, hides
    // the window and marks it closed. Nothing once closed.
    void close();
    void cancelClose() { closeVetoed_ = true; }
    bool isClosed() const { return closed_; }
    // Processes events until the window is closed.
    void waitUntilClosed();

    // --- state and geometry ---------------------------------------------
    void show();
    void hide();
    void raiseWindow();
    void activate();
    std::int32_t state() const;
    void showMinimized();
    void showMaximized();
    void showNormal();
    // The outer frame (with decorations) in screen coordinates.
    void frameGeometry(std::int32_t& x, std::int32_t& y, std::int32_t& w, std::int32_t& h) const;
    // Window size for a client size (adds the menu bar).
    void setClientSize(std::int32_t w, std::int32_t h);

    // --- events ---------------------------------------------------------
    void sendUserEvent(const std::string& name, std::int32_t argument1, std::int32_t argument2,
                       const std::string& text);
    const UserEvent& userEvent() const { return userEvent_; }
    std::int32_t keyCode() const { return keyCode_; }
    // Called by the widget's event handlers.
    void dispatch(std::int32_t kind);
    void dispatchKey(std::int32_t key);
    void menuChosen(s::base::IObject& menu, std::int32_t commandId);
    // Starts a window move when easy drag is on (left press on the body).
    bool beginDrag();
    void widgetResized(std::int32_t w, std::int32_t h);
    void widgetMoved(std::int32_t x, std::int32_t y);

    void doLayout() override;
    // Lays out the whole tree: every container below, children first, so
    // each knows its content's minimum from fresh sizes, then the window top
    // down. create() and a language change do this; call it after changing
    // many texts or sizes at once.
    void layoutAll();

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    std::string visibleText() const override { return title_.text(); }
    s::gui::ILayoutManager* defaultLayoutManager() const override;
    void nativeSetGeometry(std::int32_t x, std::int32_t y, std::int32_t w,
                           std::int32_t h) override;
    void nativeSetVisible(bool on) override;

private:
    void deliverUserEvent(const UserEvent& event);
    void dockStatusBars();
    // The native window's minimum size: what its children need.
    void keepContentWhole();
    void takeSkin();
    static void skinControls(s::gui::Component& node, const s::gui::drawer::ISkin* skin);
    void applyFlags();

    s::lang::Localizer* localizer_ = nullptr;
    s::gui::LocalText title_;
    std::vector<QImage> icons_;
    s::thread::Pooled<MenuEx> menu_;
    s::gui::drawer::Skinner* skinner_ = nullptr;
    std::function<void(QPainter&, const QRect&)> windowPainter_;
    bool topmost_ = false;
    bool easyDrag_ = false;
    bool resizable_ = true;
    std::int32_t middleClick_ = kDoNothing;
    bool closeVetoed_ = false;
    bool closed_ = false;
    bool applyingGeometry_ = false;
    std::int32_t keyCode_ = 0;
    UserEvent userEvent_;
};

}  // namespace s::gui::win
