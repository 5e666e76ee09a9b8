// s::gui::win::RadioButton -- the platform's radio button (QRadioButton),
// exclusive among the radio buttons of one container, a tab stop. A click
// raises kind 1 with the radio button as source; enabling and disabling go
// to the enable and disable lists (kind 0) as for check boxes. Its size
// follows the radio-button text rule (TextRules::radioButton).
#pragma once

#include <string>

#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class RadioButton : public NativeComponent<s::gui::Component> {
    TARVEX_POOLED(RadioButton, "s_gui_win_RadioButton")
public:
    static constexpr std::int32_t kClicked = 1;
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
    // Ticks this radio (and unticks its siblings) without raising anything.
    void setChecked(bool on);
    void setEnabled(bool on) override;

    void addClickListener(s::gui::events::IEventListener* l) { addListener(kClicked, l); }
    void addEnableListener(s::gui::events::IEventListener* l) { addListener(kEnableList, l); }
    void addDisableListener(s::gui::events::IEventListener* l) { addListener(kDisableList, l); }
    void measure();
    // The widget reports a user click here.
    void userClicked();

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    std::string visibleText() const override { return text_.text(); }

private:
    void untickSiblings();
    s::gui::LocalText text_;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    bool checked_ = false;
};

}  // namespace s::gui::win
