// s::gui::win::TextField -- the platform's single-line edit field (QLineEdit)
// with a frame and horizontal scrolling, a tab stop. Read-only when not
// editable; password mode shows "*". Its background is its own colour while
// editable and enabled, the button-face colour otherwise.
// Events: kind 1 text changed (only with change notification on), kind 2
// Enter pressed, kind 3 focus lost. The accessible name is the label in
// front of the field, set by the window builder with setAccessibleName.
#pragma once

#include <string>

#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class TextField : public NativeComponent<s::gui::Component> {
    TARVEX_POOLED(TextField, "s_gui_win_TextField")
public:
    static constexpr std::int32_t kChanged = 1;
    static constexpr std::int32_t kEnter = 2;
    static constexpr std::int32_t kFocusLost = 3;

    TextField();
    void reset() override;

    // The text (UTF-8); setText raises kind 1 when notification is on.
    const std::string& text() const { return text_; }
    void setText(std::string text);
    bool isEditable() const { return editable_; }
    void setEditable(bool on) override;
    void setPassword(bool on);
    void setChangeNotification(bool on) { notifyChanges_ = on; }
    void setMaxLength(std::int32_t n);
    void setFont(const FontSetting& font);
    void setSizeCode(std::int32_t code);
    // Minimum width in characters of the font's average width ("0" wide).
    void setMinChars(std::int32_t chars);
    void addChangeListener(s::gui::events::IEventListener* l) { addListener(kChanged, l); }
    void addEnterListener(s::gui::events::IEventListener* l) { addListener(kEnter, l); }
    void addFocusLostListener(s::gui::events::IEventListener* l) { addListener(kFocusLost, l); }
    void measure();

    // The widget reports user edits, Enter and focus loss here.
    void userEdited(std::string text);
    void userPressedEnter() { raise(kEnter); }
    void userLeft() { raise(kFocusLost); }

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;

private:
    std::string text_;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    bool editable_ = true;
    bool password_ = false;
    bool notifyChanges_ = false;
    std::int32_t maxLength_ = 32767;
    std::int32_t minChars_ = 4;
};

}  // namespace s::gui::win
