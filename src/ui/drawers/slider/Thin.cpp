#include "ui/drawers/slider/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::slider::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, const SliderFace& face) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    const s::gui::Rgb line = face.enabled ? colours_.line : colours_.disabled;

    const std::int32_t knobWidth = std::max(3, std::min(w, h / 2));
    const std::int32_t groove = std::max(3, h / 4);
    const std::int32_t grooveTop = (h - groove) / 2;
    pen.frame(0, grooveTop, w, groove, line);

    const std::int64_t range = std::max<std::int64_t>(1, std::int64_t{face.maximum} - face.minimum);
    const std::int64_t offset =
        std::clamp<std::int64_t>(std::int64_t{face.position} - face.minimum, 0, range);
    const std::int32_t travel = std::max(0, w - knobWidth);
    const auto knobLeft = static_cast<std::int32_t>(travel * offset / range);
    pen.fill(1, grooveTop + 1, knobLeft, groove - 2, colours_.bar);
    pen.fill(knobLeft + 1, 1, knobWidth - 2, h - 2, colours_.bar);
    pen.frame(knobLeft, 0, knobWidth, h, line);
}

}  // namespace s::gui::drawer::slider::win
