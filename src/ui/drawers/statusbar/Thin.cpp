#include "ui/drawers/statusbar/Thin.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::statusbar::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    pen.row(0, pen.width() - 1, 0, line_);
}

}  // namespace s::gui::drawer::statusbar::win
