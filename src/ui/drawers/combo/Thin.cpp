#include "ui/drawers/combo/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::combo::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, const ComboFace& face) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    const std::int32_t unit = std::max(1, face.scale);
    pen.frame(0, 0, w, h, colours_.line);

    // A downward triangle, one row shorter on each side per step.
    const std::int32_t arrowWidth = std::min(9 * unit, std::max(0, w / 3)) | 1;
    const std::int32_t arrowLeft = w - 4 * unit - arrowWidth;
    const std::int32_t arrowTop = (h - (arrowWidth + 1) / 2) / 2;
    for (std::int32_t row = 0; 2 * row < arrowWidth; ++row) {
        pen.row(arrowLeft + row, arrowLeft + arrowWidth - 1 - row, arrowTop + row, colours_.arrow);
    }

    s::gui::win::FontSetting shown = face.font;
    shown.textColour = colours_.text;
    text_.paint(pen.painter(), 3 * unit, 1, arrowLeft - 2 * unit, h - 1, face.text, shown,
                TextEllipsis);
}

}  // namespace s::gui::drawer::combo::win
