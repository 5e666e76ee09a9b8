#include "ui/drawers/counter/Basic.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::counter::win {

void Basic::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom, std::string_view digits,
                  const s::gui::win::FontSetting& font) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    pen.fill(0, 0, pen.width(), pen.height(), colours_.plate);
    s::gui::win::FontSetting shown = font;
    shown.textColour = colours_.digits;
    text_.paint(pen.painter(), 0, 0, pen.width(), pen.height(), digits, shown, TextCentred);
}

}  // namespace s::gui::drawer::counter::win
