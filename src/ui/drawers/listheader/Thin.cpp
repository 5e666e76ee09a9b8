#include "ui/drawers/listheader/Thin.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::listheader::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, std::string_view text, const s::gui::win::FontSetting& font,
                 bool pressed) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    pen.fill(0, 0, w, h, colours_.fill);
    pen.frame(0, 0, w, h, colours_.line);
    s::gui::win::FontSetting shown = font;
    shown.textColour = colours_.text;
    const std::int32_t shift = pressed ? 1 : 0;
    text_.paint(pen.painter(), 4 + shift, 1 + shift, w - 2, h - 1, text, shown, TextEllipsis);
}

}  // namespace s::gui::drawer::listheader::win
