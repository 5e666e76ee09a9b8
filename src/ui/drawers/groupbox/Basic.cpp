#include "ui/drawers/groupbox/Basic.h"

#include <algorithm>

namespace s::gui::drawer::groupbox::win {

Basic::Basic() {
    reset();
}

void Basic::reset() {
    resetFrame(kDefaultFrame);
    titleSetting(true).setTextColour(kDefaultTitle);
}

void Basic::paintFrame(PixelPen& pen, std::int32_t tw) const {
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    const s::gui::Rgb colour = frame();
    pen.row(2, std::min(6, w - 3), 0, colour);
    pen.row(tw + 11, w - 3, 0, colour);
    pen.row(2, w - 3, h - 1, colour);
    pen.column(0, 2, h - 3, colour);
    pen.column(w - 1, 2, h - 3, colour);

    // Rounded corners: a two-pixel run on the second row, one pixel on the third.
    for (const std::int32_t y : {1, h - 2}) {
        pen.row(1, 2, y, colour);
        pen.row(w - 3, w - 2, y, colour);
    }
    for (const std::int32_t y : {2, h - 3}) {
        pen.pixel(1, y, colour);
        pen.pixel(w - 2, y, colour);
    }
}

}  // namespace s::gui::drawer::groupbox::win
