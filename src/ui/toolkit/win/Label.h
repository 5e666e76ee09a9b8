// s::gui::win::Label -- one text drawn by the toolkit (not by a platform
// control), with five fonts: normal, disabled, link, link under the pointer,
// link while pressed. Ampersands are drawn as themselves.
//
// A plain label is transparent to the mouse (clicks reach the window, which
// can then be dragged by its body). A link label tracks normal / hovering /
// pressed, draws each with its own font, shows a hand cursor, and on a
// release over it raises kind 1 and opens its target (when one is set) with
// the desktop. A focusable link also activates with Enter or Space.
// Accessible role: static text, or link for links.
//
//     auto& home = box.add(s::gui::win::Label::take());
//     home.setTextId(500040);
//     home.setLink(true);
//     home.setTarget("https://example.invalid/");
#pragma once

#include <QPainter>
#include <array>
#include <string>

#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/win/NativeComponent.h"
#include "ui/toolkit/win/Skinnable.h"

namespace s::gui::drawer {
class IText;
}

namespace s::gui::win {

class Label : public NativeComponent<s::gui::Component>, public ISkinnable {
    TARVEX_POOLED(Label, "s_gui_win_Label")
public:
    enum FontRole : std::size_t { kNormal = 0, kDisabled = 1, kLink = 2, kLinkHover = 3,
                                  kLinkPressed = 4, kFontRoles = 5 };
    enum LinkState : std::int32_t { kIdle = 0, kHovering = 1, kPressed = 2 };
    static constexpr std::int32_t kClicked = 1;

    Label();
    void reset() override;

    void setText(std::string text);
    void setTextId(std::int32_t id);
    const std::string& text() const { return text_.text(); }
    std::int32_t textId() const { return text_.id(); }
    void relabel() override;

    const FontSetting& font(FontRole role) const { return fonts_[role]; }
    void setFont(FontRole role, const FontSetting& font);
    // The same setting for all five roles (link roles keep their underline).
    void setAllFonts(const FontSetting& font);
    // Size code for every role (see FontSizeCode).
    void setSizeCode(std::int32_t code);
    void setTextColour(Rgb colour);

    bool isLink() const { return link_; }
    void setLink(bool on);
    const std::string& target() const { return target_; }
    void setTarget(std::string target) { target_ = std::move(target); }
    void setFocusable(bool on);
    bool isFocusable() const { return focusable_; }
    void setWordWrap(bool on);
    void setCentred(bool on);
    bool isCentred() const { return centred_; }
    bool isWordWrap() const { return wordWrap_; }
    std::int32_t linkState() const { return linkState_; }

    // The font used right now (enabled, link state).
    const FontSetting& currentFont() const;
    // Measures the text and asks the parent to relayout.
    void measure();
    // Link behaviour, called by the widget's mouse and key handlers.
    void setLinkState(std::int32_t state);
    void activate();
    void addClickListener(s::gui::events::IEventListener* l) { addListener(kClicked, l); }
    // Draws the text into area with the current font (the widget's paint).
    void paintText(QPainter& p, const QRect& area) const;
    void takeSkin(const s::gui::drawer::ISkin* skin) override;
    // The text drawer in use (the skin's, else the default one).
    const s::gui::drawer::IText& textDrawer() const;

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    std::string visibleText() const override { return text_.text(); }
    void nativeSetEnabled(bool on) override;

private:
    s::gui::LocalText text_;
    std::array<FontSetting, kFontRoles> fonts_;
    std::string target_;
    bool link_ = false;
    bool focusable_ = false;
    bool wordWrap_ = false;
    bool centred_ = false;
    std::int32_t linkState_ = kIdle;
    const s::gui::drawer::IText* skinText_ = nullptr;
};

}  // namespace s::gui::win
