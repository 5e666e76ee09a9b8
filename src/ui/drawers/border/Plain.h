// s::gui::drawer::border::win::Plain -- a one-pixel frame in one line colour
// along the rectangle's four edges; the inside is left untouched.
//
//     s::thread::Pooled<Plain> border = Plain::take();
//     border->setColour(0x91, 0x9B, 0x9C);
//     border->paint(painter, 0, 0, width, height);
#pragma once

#include "ui/drawers/IBorder.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::border::win {

class Plain : public IBorder {
    TARVEX_POOLED(Plain, "s_gui_drawer_border_win_Plain")
public:
    static constexpr s::gui::Rgb kDefaultColour = s::gui::Rgb::hex(0x000000);

    void reset() override { colour_ = kDefaultColour; }
    void setColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) { colour_ = {r, g, b}; }
    s::gui::Rgb colour() const { return colour_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) const override;

private:
    s::gui::Rgb colour_ = kDefaultColour;
};

}  // namespace s::gui::drawer::border::win
