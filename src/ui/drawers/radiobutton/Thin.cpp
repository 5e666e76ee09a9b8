#include "ui/drawers/radiobutton/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/QtConversion.h"

namespace s::gui::drawer::radiobutton::win {

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, const ToggleFace& face) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    QPainter& p = pen.painter();
    const std::int32_t unit = std::max(1, face.scale);
    const std::int32_t side = std::min(pen.height(), 13 * unit);
    const std::int32_t y = (pen.height() - side) / 2;
    const s::gui::Rgb line = face.enabled ? colours_.line : colours_.disabled;
    const s::gui::Rgb mark = face.enabled ? colours_.text : colours_.disabled;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(toQColor(line));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(0, y, side - 1, side - 1));
    if (face.checked && side > 6 * unit) {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(mark));
        p.drawEllipse(QRect(3 * unit, y + 3 * unit, side - 6 * unit, side - 6 * unit));
    }

    s::gui::win::FontSetting font = face.font;
    font.textColour = mark;
    const std::int32_t textLeft = side + 4 * unit;
    text_.paint(p, textLeft, 0, pen.width(), pen.height(), face.text, font, 0);
}

}  // namespace s::gui::drawer::radiobutton::win
