// s::gui::drawer::checkbox::win::Thin -- a flat check box: a square tick box
// (frame in the line colour, filled inside with the text colour when ticked)
// at the left, vertically centred, and the text after it; disabled boxes and
// texts use the disabled colour.
#pragma once

#include "ui/drawers/ICheckBox.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::checkbox::win {

class Thin : public ICheckBox {
    TARVEX_POOLED(Thin, "s_gui_drawer_checkbox_win_Thin")
public:
    struct Colours {
        s::gui::Rgb line = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb text = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb disabled = s::gui::Rgb::hex(0xACA899);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const ToggleFace& face) const override;

private:
    Colours colours_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::checkbox::win
