// s::gui::win::RadioButton -- the platform's radio button (QRadioButton),
// exclusive among the radio buttons of one container, a tab stop. A click
// raises kind 1 with the radio button as source; enabling and disabling go
// to the enable and disable lists (kind 0) as for check boxes. Its size
// follows the radio-button text rule (TextRules::radioButton).
#pragma once

#include "ui/toolkit/win/ToggleControl.h"

namespace s::gui::win {

class RadioButton : public ToggleControl {
    TARVEX_POOLED(RadioButton, "s_gui_win_RadioButton")
public:
    static constexpr std::int32_t kClicked = 1;

    // Ticks this radio (and unticks its siblings) without raising anything.
    void setChecked(bool on);
    void addClickListener(s::gui::events::IEventListener* l) { addListener(kClicked, l); }
    // The widget reports a user click here.
    void userClicked();

protected:
    QWidget* makeWidget(QWidget* parent) override;
    Extent ruleSize(std::int32_t scale) const override;

private:
    void untickSiblings();
};

}  // namespace s::gui::win
