#include "ui/drawers/border/Plain.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::border::win {

void Plain::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    pen.row(0, w - 1, 0, colour_);
    pen.column(w - 1, 0, h - 1, colour_);
    pen.row(0, w - 1, h - 1, colour_);
    pen.column(0, 0, h - 2, colour_);
}

}  // namespace s::gui::drawer::border::win
