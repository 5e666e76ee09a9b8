#include "ui/drawers/PixelPen.h"

#include "ui/drawers/QtConversion.h"

namespace s::gui::drawer {

PixelPen::PixelPen(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, std::int32_t extraTop)
    : painter_(painter), width_(right - left), height_(bottom - top) {
    painter_.save();
    painter_.translate(left, top);
    const QRect area(0, -extraTop, width_, height_ + extraTop);
    painter_.setClipRect(area, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

PixelPen::~PixelPen() {
    painter_.restore();
}

void PixelPen::row(std::int32_t x0, std::int32_t x1, std::int32_t y, s::gui::Rgb colour) {
    if (x1 >= x0) fill(x0, y, x1 - x0 + 1, 1, colour);
}

void PixelPen::column(std::int32_t x, std::int32_t y0, std::int32_t y1, s::gui::Rgb colour) {
    if (y1 >= y0) fill(x, y0, 1, y1 - y0 + 1, colour);
}

void PixelPen::pixel(std::int32_t x, std::int32_t y, s::gui::Rgb colour) {
    fill(x, y, 1, 1, colour);
}

void PixelPen::fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    s::gui::Rgb colour) {
    if (w > 0 && h > 0) painter_.fillRect(QRect(x, y, w, h), toQColor(colour));
}

void PixelPen::frame(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     s::gui::Rgb colour) {
    if (w <= 0 || h <= 0) return;
    row(x, x + w - 1, y, colour);
    row(x, x + w - 1, y + h - 1, colour);
    column(x, y + 1, y + h - 2, colour);
    column(x + w - 1, y + 1, y + h - 2, colour);
}

}  // namespace s::gui::drawer
