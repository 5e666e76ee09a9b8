// s::gui::drawer::statusbar::win::BasicResizer -- the size grip's dots: six
// 2 x 2 grey (B8B5A1) dots in a triangle at the rectangle's bottom-right
// corner, each with a white 2 x 2 dot one pixel down and to the right behind
// it. With w and h the rectangle's size, the grey dots' top-left corners are
// (w-4, h-12), (w-4, h-8), (w-8, h-8), (w-4, h-4), (w-8, h-4), (w-12, h-4).
// Dragging is the toolkit's "#Resizer" button's business, not this drawing's.
#pragma once

#include <QPainter>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::statusbar::win {

class BasicResizer : public IDrawer {
    TARVEX_POOLED(BasicResizer, "s_gui_drawer_statusbar_win_BasicResizer")
public:
    static constexpr s::gui::Rgb kDot = s::gui::Rgb::hex(0xB8B5A1);
    static constexpr s::gui::Rgb kLight = s::gui::Rgb::hex(0xFFFFFF);

    void reset() override {}
    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) const;
};

}  // namespace s::gui::drawer::statusbar::win
