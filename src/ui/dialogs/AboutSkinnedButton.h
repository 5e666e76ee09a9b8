// s::gui::dialogs::AboutSkinnedButton -- a push button of the Version
// Information window whose face (frame, fill, caption) is painted by the
// button drawer of the window's current skin. It stays a QPushButton, so
// focus, keyboard activation and its accessible role are the platform's.
#pragma once

#include <QPushButton>
#include <string>

#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {
class Skinner;
}

namespace s::gui::dialogs {

class AboutSkinnedButton final : public QPushButton {
    Q_OBJECT
public:
    AboutSkinnedButton(QWidget* parent, const s::gui::drawer::Skinner& skinner, std::int32_t scale);

    // The caption, shown without mnemonics; the accessible name is the
    // caption without padding or no-break spaces.
    void setCaption(std::string caption);
    void setFontSetting(const s::gui::win::FontSetting& font) { font_ = font; }
    // The caption's width in the button's font, for sizing the button.
    std::int32_t captionWidth() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const s::gui::drawer::Skinner& skinner_;
    std::int32_t scale_;
    std::string caption_;
    s::gui::win::FontSetting font_;
};

}  // namespace s::gui::dialogs
