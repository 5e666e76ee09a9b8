#include "ui/drawers/checkbox/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::checkbox::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, const ToggleFace& face) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t unit = std::max(1, face.scale);
    const std::int32_t side = std::min(pen.height(), 13 * unit);
    const std::int32_t y = (pen.height() - side) / 2;
    const s::gui::Rgb line = face.enabled ? colours_.line : colours_.disabled;
    const s::gui::Rgb mark = face.enabled ? colours_.text : colours_.disabled;
    pen.frame(0, y, side, side, line);
    if (face.checked) pen.fill(3 * unit, y + 3 * unit, side - 6 * unit, side - 6 * unit, mark);

    s::gui::win::FontSetting font = face.font;
    font.textColour = mark;
    const std::int32_t textLeft = side + 4 * unit;
    text_.paint(pen.painter(), textLeft, 0, pen.width(), pen.height(), face.text, font, 0);
}

}  // namespace s::gui::drawer::checkbox::win
