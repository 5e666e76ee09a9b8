// s::gui::drawer::PixelPen -- exact one-pixel drawing inside a drawer's
// rectangle, used by every drawer.
//
// Construction saves the painter, moves the origin to the rectangle's
// top-left corner and clips to it (optionally growing the clip upwards, for
// a group box title that sits above its frame); destruction restores the
// painter. Rows, columns and pixels are filled rectangles, so no pen width,
// antialiasing or transform rounding can move them.
#pragma once

#include <QPainter>
#include <cstdint>

#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

class PixelPen {
public:
    PixelPen(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom, std::int32_t extraTop = 0);
    ~PixelPen();
    PixelPen(const PixelPen&) = delete;
    PixelPen& operator=(const PixelPen&) = delete;

    static bool isEmpty(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom) {
        return right <= left || bottom <= top;
    }

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    QPainter& painter() { return painter_; }

    // Inclusive ends; nothing when the end lies before the start.
    void row(std::int32_t x0, std::int32_t x1, std::int32_t y, s::gui::Rgb colour);
    void column(std::int32_t x, std::int32_t y0, std::int32_t y1, s::gui::Rgb colour);
    void pixel(std::int32_t x, std::int32_t y, s::gui::Rgb colour);
    void fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, s::gui::Rgb colour);
    // The four edges of the w x h rectangle at (x, y), one pixel wide.
    void frame(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, s::gui::Rgb colour);

private:
    QPainter& painter_;
    std::int32_t width_;
    std::int32_t height_;
};

}  // namespace s::gui::drawer
