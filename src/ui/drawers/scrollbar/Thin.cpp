#include "ui/drawers/scrollbar/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::scrollbar::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, const ScrollBarFace& face) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    pen.frame(0, 0, w, h, colours_.line);

    // Thumb position along the track inside the frame, in 64-bit arithmetic
    // so large ranges cannot overflow.
    const std::int64_t track = (face.vertical ? h : w) - 4;
    const std::int64_t range =
        std::max<std::int64_t>(1, std::int64_t{face.maximum} - face.minimum + 1);
    if (track <= 0) return;
    const std::int64_t page = std::clamp<std::int64_t>(face.page, 1, range);
    const std::int64_t position =
        std::clamp<std::int64_t>(std::int64_t{face.position} - face.minimum, 0, range - page);
    const std::int64_t length = std::max<std::int64_t>(2, track * page / range);
    const std::int64_t start = std::min(track - length, track * position / range);
    if (face.vertical) {
        pen.fill(2, 2 + static_cast<std::int32_t>(start), w - 4, static_cast<std::int32_t>(length),
                 colours_.bar);
    } else {
        pen.fill(2 + static_cast<std::int32_t>(start), 2, static_cast<std::int32_t>(length), h - 4,
                 colours_.bar);
    }
}

}  // namespace s::gui::drawer::scrollbar::win
