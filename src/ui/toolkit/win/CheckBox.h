// s::gui::win::CheckBox -- the platform's check box (QCheckBox), toggling by
// itself, a tab stop. Becoming ticked raises kind 1, unticked kind 2 (by the
// user or by setChecked; setCheckedSilently raises nothing). Enabling raises
// kind 0 to the enable listeners, disabling kind 0 to the disable listeners.
// Its size follows the check-box text rule (TextRules::checkBox); the
// multi-line variant wraps its text.
#pragma once

#include <string>

#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class CheckBox : public NativeComponent<s::gui::Component> {
    TARVEX_POOLED(CheckBox, "s_gui_win_CheckBox")
public:
    static constexpr std::int32_t kTicked = 1;
    static constexpr std::int32_t kUnticked = 2;
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
    void setMultiLine(bool on);
    // Wrap width of the multi-line variant (pixels; 0 = no limit).
    void setWrapWidth(std::int32_t w) { wrapWidth_ = w; }

    bool isChecked() const { return checked_; }
    void setChecked(bool on);
    void setCheckedSilently(bool on);
    void setEnabled(bool on) override;

    void addCheckListener(s::gui::events::IEventListener* l);
    void addEnableListener(s::gui::events::IEventListener* l) { addListener(kEnableList, l); }
    void addDisableListener(s::gui::events::IEventListener* l) { addListener(kDisableList, l); }
    void measure();
    // The widget reports a user toggle here.
    void userToggled(bool on);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    std::string visibleText() const override { return text_.text(); }

private:
    void changeChecked(bool on, bool notify);
    s::gui::LocalText text_;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    bool checked_ = false;
    bool multiLine_ = false;
    std::int32_t wrapWidth_ = 0;
};

}  // namespace s::gui::win
