// s::gui::drawer::radiobutton::win::Thin -- a flat radio button: a round mark
// (ring in the line colour, a dot in the text colour when ticked)
// at the left, vertically centred, and the text after it; disabled boxes and
// texts use the disabled colour.
#pragma once

#include "ui/drawers/IRadioButton.h"
#include "ui/drawers/ToggleThin.h"

namespace s::gui::drawer::radiobutton::win {

class Thin : public ToggleThin<IRadioButton> {
    TARVEX_POOLED(Thin, "s_gui_drawer_radiobutton_win_Thin")

private:
    void paintMark(PixelPen& pen, std::int32_t y, std::int32_t side, std::int32_t unit,
                   bool checked, s::gui::Rgb line, s::gui::Rgb mark) const override;
};

}  // namespace s::gui::drawer::radiobutton::win
