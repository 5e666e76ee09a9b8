// s::gui::win::ToggleControl -- what check boxes and radio buttons share: a
// text (literal or language id, relabelled on a language change) shown
// with its ampersands doubled, a font, a tick state mirrored into the
// platform button without signals, the enable and disable listener lists
// (kind 0 on each change) and the size: the control's text rule, raised to
// the platform's own size hint where the rule would cut the text.
#pragma once

#include <string>

#include "ui/toolkit/Extent.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class ToggleControl : public NativeComponent<s::gui::Component> {
public:
    static constexpr std::int32_t kSwitched = 0;
    // List ids of the enable and disable listeners (both receive kind 0).
    static constexpr std::int32_t kEnableList = 100;
    static constexpr std::int32_t kDisableList = 101;

    void reset() override;

    void setText(std::string text);
    void setTextId(std::int32_t id);
    const std::string& text() const { return text_.text(); }
    void relabel() override;
    void setFont(const FontSetting& font);
    void setSizeCode(std::int32_t code);
    const FontSetting& font() const { return font_; }

    bool isChecked() const { return checked_; }
    void setEnabled(bool on) override;
    void addEnableListener(s::gui::events::IEventListener* l) { addListener(kEnableList, l); }
    void addDisableListener(s::gui::events::IEventListener* l) { addListener(kDisableList, l); }
    void measure();

protected:
    void applyProperties() override;
    std::string visibleText() const override { return text_.text(); }
    // The size the control's text rule gives its text at the display scale.
    virtual Extent ruleSize(std::int32_t scale) const = 0;
    // Whether the platform's size hint may raise the rule's size.
    virtual bool followsPlatformHint() const { return true; }
    // Stores the tick and shows it on the platform button, raising nothing.
    void showChecked(bool on);

    s::gui::LocalText text_;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    bool checked_ = false;
};

}  // namespace s::gui::win
