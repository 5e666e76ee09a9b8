#include "ui/drawers/statusbar/BasicResizer.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::statusbar::win {

namespace {

// Grey dots' top-left corners, as offsets from the bottom-right corner.
constexpr std::int32_t kDotOffsets[6][2] = {{4, 12}, {4, 8}, {8, 8}, {4, 4}, {8, 4}, {12, 4}};

}  // namespace

void BasicResizer::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    for (const auto& offset : kDotOffsets) {
        const std::int32_t x = pen.width() - offset[0];
        const std::int32_t y = pen.height() - offset[1];
        // The light dot first, so the grey dot keeps all four of its pixels.
        pen.fill(x + 1, y + 1, 2, 2, kLight);
        pen.fill(x, y, 2, 2, kDot);
    }
}

}  // namespace s::gui::drawer::statusbar::win
