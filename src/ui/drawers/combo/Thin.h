// s::gui::drawer::combo::win::Thin -- a drop-down list's closed face: a frame
// in the line colour, the selected item's text in the text colour and a
// downward arrow in the arrow colour at the right.
#pragma once

#include "ui/drawers/ICombo.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::combo::win {

class Thin : public ICombo {
    TARVEX_POOLED(Thin, "s_gui_drawer_combo_win_Thin")
public:
    struct Colours {
        s::gui::Rgb text = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb line = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb arrow = s::gui::Rgb::hex(0x000000);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const ComboFace& face) const override;

private:
    Colours colours_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::combo::win
