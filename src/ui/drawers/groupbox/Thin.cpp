#include "ui/drawers/groupbox/Thin.h"

#include <algorithm>

namespace s::gui::drawer::groupbox::win {

Thin::Thin() {
    reset();
}

void Thin::reset() {
    resetFrame(kDefaultLine);
}

void Thin::paintFrame(PixelPen& pen, std::int32_t tw) const {
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    const s::gui::Rgb colour = frame();
    pen.row(0, std::min(6, w - 1), 0, colour);
    pen.row(tw + 11, w - 1, 0, colour);
    pen.row(0, w - 1, h - 1, colour);
    pen.column(0, 1, h - 2, colour);
    pen.column(w - 1, 1, h - 2, colour);
}

}  // namespace s::gui::drawer::groupbox::win
