// s::gui::drawer::slider::win::Thin -- a flat horizontal slider: a groove
// framed in the line colour, filled with the bar colour up to the position,
// and a knob framed in the line colour; a disabled slider draws its lines in
// the disabled colour.
#pragma once

#include "ui/drawers/ISlider.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::slider::win {

class Thin : public ISlider {
    TARVEX_POOLED(Thin, "s_gui_drawer_slider_win_Thin")
public:
    struct Colours {
        s::gui::Rgb line = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb bar = s::gui::Rgb::hex(0x777777);
        s::gui::Rgb disabled = s::gui::Rgb::hex(0xACA899);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const SliderFace& face) const override;

private:
    Colours colours_;
};

}  // namespace s::gui::drawer::slider::win
