#include "ui/drawers/checkbox/Thin.h"

namespace s::gui::drawer::checkbox::win {

void Thin::paintMark(PixelPen& pen, std::int32_t y, std::int32_t side, std::int32_t unit,
                     bool checked, s::gui::Rgb line, s::gui::Rgb mark) const {
    pen.frame(0, y, side, side, line);
    if (checked) pen.fill(3 * unit, y + 3 * unit, side - 6 * unit, side - 6 * unit, mark);
}

}  // namespace s::gui::drawer::checkbox::win
