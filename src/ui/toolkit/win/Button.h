// s::gui::win::Button -- the platform's push button (QPushButton) with a text
// (literal or language id; ampersands shown as themselves), an optional
// toggle state, and two listener lists: a click raises kind 1 to the click
// listeners, a toggle button then flips its pressed state, then kind 2 goes
// to the second list.
//
// A button named "#Resizer" is a size grip instead: dragging it resizes the
// top-level window from its bottom-right corner (the platform's own resize
// move where the window system offers one). Captions starting with "#" name
// a glyph ("#X" a cross) drawn instead of text.
#pragma once

#include <string>

#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/win/NativeComponent.h"
#include "ui/toolkit/win/Skinnable.h"

namespace s::gui::drawer {
class IButton;
}

namespace s::gui::win {

class Button : public NativeComponent<s::gui::Component>, public ISkinnable {
    TARVEX_POOLED(Button, "s_gui_win_Button")
public:
    static constexpr std::int32_t kClicked = 1;
    static constexpr std::int32_t kAfterClick = 2;
    static constexpr const char* kResizer = "#Resizer";

    void reset() override;

    void setText(std::string text);
    void setTextId(std::int32_t id);
    const std::string& text() const { return text_.text(); }
    void relabel() override;
    bool isResizer() const { return text_.text() == kResizer; }
    bool isGlyph() const { return !text_.text().empty() && text_.text()[0] == '#'; }

    void setFont(const FontSetting& font);
    const FontSetting& font() const { return font_; }
    void setToggle(bool on) { toggle_ = on; }
    bool isToggle() const { return toggle_; }
    bool isPressed() const { return pressed_; }
    void setPressed(bool on);
    void setDefault(bool on);

    void addClickListener(s::gui::events::IEventListener* l) { addListener(kClicked, l); }
    void addAfterClickListener(s::gui::events::IEventListener* l) { addListener(kAfterClick, l); }
    // What a click does (the widget calls it; tests may too).
    void click();
    // Measures the caption (plus the platform's button padding) and asks the
    // parent to relayout.
    void measure();
    void takeSkin(const s::gui::drawer::ISkin* skin) override;
    // The skin's button drawer, or null: the platform draws the button.
    const s::gui::drawer::IButton* drawer() const { return skinButton_; }

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    std::string visibleText() const override;

private:
    s::gui::LocalText text_;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    bool toggle_ = false;
    bool pressed_ = false;
    bool default_ = false;
    const s::gui::drawer::IButton* skinButton_ = nullptr;
};

}  // namespace s::gui::win
