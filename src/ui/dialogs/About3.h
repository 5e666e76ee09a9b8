// s::gui::dialogs::About3 -- the "Version Information" window: the product
// title and icon, the version, the release date, a link to the product's web
// page and a Close button, all painted by the window's own skin.
//
// The window has its own frame state ("AboutWindow": size 340 x 285 x scale,
// its own skin in "AboutWindow\\Skin", default "Classic LG"; a stored name is
// matched ignoring case, an unknown one selects the first skin, "White") and
// its own skinner of the "ThinWindow" skins. It is built on the first show()
// and kept: closing it, by Close or by the window manager, only hides it.
// Every text follows the language of the localizer; the window stays above
// its owner (a transient window of the main window).
//
//     s::thread::Pooled<About3> about = About3::take();
//     about->init(app, scale, mainWindowWidget);
//     about->show();                        // the About menu's "Version Information"
//
// Used on the user-interface thread only.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "shell/app/AppWindow.h"
#include "shell/lang/ILocalizerListener.h"
#include "ui/drawers/Skinner.h"
#include "ui/toolkit/IEventListener.h"
#include "ui/toolkit/win/Window.h"

namespace s::gui::dialogs {

class AboutSkinnedButton;
class AboutSkinnedText;

class About3 final : public s::gui::events::IEventListener,
                     public s::base::IObject,
                     public s::thread::IPoolable,
                     public s::lang::ILocalizerListener {
    TARVEX_POOLED(About3, "s_gui_dialogs_About3")
public:
    static constexpr std::int32_t kWidth = 340;
    static constexpr std::int32_t kHeight = 285;
    static constexpr const char* kWindowName = "AboutWindow";
    static constexpr const char* kDefaultSkin = "Classic LG";
    using OpenUrl = std::function<void(const std::string& url)>;

    About3() = default;
    ~About3() override;
    About3(const About3&) = delete;
    About3& operator=(const About3&) = delete;

    // Remembers the application, the display scale (1, 2 or 4) and the owner
    // window; the window itself is built on the first show().
    void init(s::app::win::AppBase& app, std::int32_t scale, QWidget* owner);
    // Opens web pages; by default the desktop's handler.
    void setOpener(OpenUrl opener) { opener_ = std::move(opener); }
    void reset() override;

    void show();
    void hide();
    bool isShown() const;

    // The window's pieces, for the main window and tests (null before show()).
    QWidget* widget() const;
    s::gui::drawer::Skinner* skinner() const { return skinner_.get(); }
    s::app::win::AppWindow* appWindow() const { return frame_.get(); }
    // The product page address the link opens.
    std::string linkAddress();

    void onEvent(s::base::IObject& source, std::int32_t kind) override;
    void onLanguageChanged(s::lang::Localizer& localizer) override;

private:
    bool build();
    void buildContent(QWidget& host);
    void relabel();
    void layout();
    void applyFonts();
    void openLink();
    s::lang::Localizer& texts();

    s::app::win::AppBase* app_ = nullptr;
    std::int32_t scale_ = 1;
    QPointer<QWidget> owner_;
    OpenUrl opener_;
    s::thread::Pooled<s::app::win::AppWindow> frame_;
    s::thread::Pooled<s::gui::drawer::Skinner> skinner_;
    s::thread::Pooled<s::gui::win::Window> window_;
    QPointer<QWidget> icon_;
    QPointer<AboutSkinnedText> title_;
    QPointer<AboutSkinnedText> rowNames_[3];
    QPointer<AboutSkinnedText> rowValues_[3];
    QPointer<AboutSkinnedButton> close_;
};

}  // namespace s::gui::dialogs
