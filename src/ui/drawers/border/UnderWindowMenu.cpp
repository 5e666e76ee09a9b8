#include "ui/drawers/border/UnderWindowMenu.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::border::win {

void UnderWindowMenu::paint(QPainter& painter, std::int32_t left, std::int32_t top,
                            std::int32_t right, std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    pen.row(0, pen.width() - 1, 0, kShadow);
    if (pen.height() > 1) pen.row(0, pen.width() - 1, 1, kLight);
}

}  // namespace s::gui::drawer::border::win
