// s::gui::drawer::checkbox::win::Thin -- a flat check box: a square tick box
// (frame in the line colour, filled inside with the text colour when ticked)
// at the left, vertically centred, and the text after it; disabled boxes and
// texts use the disabled colour.
#pragma once

#include "ui/drawers/ICheckBox.h"
#include "ui/drawers/ToggleThin.h"

namespace s::gui::drawer::checkbox::win {

class Thin : public ToggleThin<ICheckBox> {
    TARVEX_POOLED(Thin, "s_gui_drawer_checkbox_win_Thin")

private:
    void paintMark(PixelPen& pen, std::int32_t y, std::int32_t side, std::int32_t unit,
                   bool checked, s::gui::Rgb line, s::gui::Rgb mark) const override;
};

}  // namespace s::gui::drawer::checkbox::win
