#include "ui/drawers/listbox/Thin.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::listbox::win {

void Thin::paintBackground(QPainter& painter, std::int32_t left, std::int32_t top,
                           std::int32_t right, std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    pen.fill(0, 0, pen.width(), pen.height(), colours_.fill);
}

void Thin::paintRow(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom, const ListRowFace& row) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const s::gui::Rgb fill = row.selected         ? colours_.selectedFill
                             : row.index % 2 != 0 ? colours_.fill2
                                                  : colours_.fill;
    pen.fill(0, 0, pen.width(), pen.height(), fill);
    s::gui::win::FontSetting shown = row.font;
    shown.textColour = row.selected ? colours_.selectedText : colours_.text;
    text_.paint(pen.painter(), 2, 0, pen.width(), pen.height(), row.text, shown, TextEllipsis);
}

}  // namespace s::gui::drawer::listbox::win
