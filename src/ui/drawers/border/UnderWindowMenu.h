// s::gui::drawer::border::win::UnderWindowMenu -- the etched line under a
// window's menu bar: the rectangle's top row in ACA899 and its second row in
// white, both across the full width. Nothing else is painted.
#pragma once

#include "ui/drawers/IBorder.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::border::win {

class UnderWindowMenu : public IBorder {
    TARVEX_POOLED(UnderWindowMenu, "s_gui_drawer_border_win_UnderWindowMenu")
public:
    static constexpr s::gui::Rgb kShadow = s::gui::Rgb::hex(0xACA899);
    static constexpr s::gui::Rgb kLight = s::gui::Rgb::hex(0xFFFFFF);

    void reset() override {}
    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) const override;
};

}  // namespace s::gui::drawer::border::win
