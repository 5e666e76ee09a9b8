#include "ui/drawers/menu/Basic.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::menu::win {

void Basic::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom, const MenuEntryFace& entry) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    pen.fill(0, 0, w, h, colours_.background);
    if (entry.separator) {
        pen.row(2, w - 3, h / 2, colours_.line);
        return;
    }
    const bool selected = entry.selected && entry.enabled;
    if (selected) pen.frame(0, 0, w, h, accents_.line);
    const std::int32_t markSide = std::max(0, std::min(h - 6, 8));
    if (entry.checked && markSide > 0) {
        pen.fill(4, (h - markSide) / 2, markSide, markSide, accents_.mark);
    }
    s::gui::win::FontSetting shown = entry.font;
    shown.textColour = !entry.enabled ? colours_.line : selected ? accents_.text : colours_.text;
    text_.paint(pen.painter(), markSide + 8, 0, w - 2, h, entry.text, shown, TextEllipsis);
}

}  // namespace s::gui::drawer::menu::win
