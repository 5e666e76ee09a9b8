#include "ui/drawers/radiobutton/Thin.h"

#include "ui/drawers/QtConversion.h"

namespace s::gui::drawer::radiobutton::win {

void Thin::paintMark(PixelPen& pen, std::int32_t y, std::int32_t side, std::int32_t unit,
                     bool checked, s::gui::Rgb line, s::gui::Rgb mark) const {
    QPainter& p = pen.painter();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(toQColor(line));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(0, y, side - 1, side - 1));
    if (checked && side > 6 * unit) {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(mark));
        p.drawEllipse(QRect(3 * unit, y + 3 * unit, side - 6 * unit, side - 6 * unit));
    }
}

}  // namespace s::gui::drawer::radiobutton::win
