// s::gui::win::CheckBox -- the platform's check box (QCheckBox), toggling by
// itself, a tab stop. Becoming ticked raises kind 1, unticked kind 2 (by the
// user or by setChecked; setCheckedSilently raises nothing). Enabling raises
// kind 0 to the enable listeners, disabling kind 0 to the disable listeners.
// Its size follows the check-box text rule (TextRules::checkBox); the
// multi-line variant wraps its text.
#pragma once

#include "ui/toolkit/win/ToggleControl.h"

namespace s::gui::win {

class CheckBox : public ToggleControl {
    TARVEX_POOLED(CheckBox, "s_gui_win_CheckBox")
public:
    static constexpr std::int32_t kTicked = 1;
    static constexpr std::int32_t kUnticked = 2;

    void reset() override;

    void setMultiLine(bool on);
    // Wrap width of the multi-line variant (pixels; 0 = no limit).
    void setWrapWidth(std::int32_t w) { wrapWidth_ = w; }

    void setChecked(bool on);
    void setCheckedSilently(bool on);
    void addCheckListener(s::gui::events::IEventListener* l);
    // The widget reports a user toggle here.
    void userToggled(bool on);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    Extent ruleSize(std::int32_t scale) const override;
    bool followsPlatformHint() const override { return !multiLine_; }

private:
    void changeChecked(bool on, bool notify);
    bool multiLine_ = false;
    std::int32_t wrapWidth_ = 0;
};

}  // namespace s::gui::win
