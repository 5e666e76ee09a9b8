#include "ui/drawers/window/Thin.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::window::win {

void Thin::reset() {
    *this = Thin();
}

bool Thin::background(s::gui::Rgb& colour) const {
    if (hasBackground_) colour = background_;
    return hasBackground_;
}

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    if (hasBackground_) pen.fill(0, 0, pen.width(), pen.height(), background_);
    pen.frame(0, 0, pen.width(), pen.height(), frame_);
}

}  // namespace s::gui::drawer::window::win
