#include "ui/drawers/groupbox/Thin.h"

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/SkinFont.h"

namespace s::gui::drawer::groupbox::win {

using s::gui::win::FontSetting;

Thin::Thin() {
    reset();
}

void Thin::reset() {
    line_ = kDefaultLine;
    title_.reset();
}

FontSetting& Thin::titleSetting(bool enabled) {
    return title_.setting(enabled ? TextSetting::Normal : TextSetting::Disabled);
}

const FontSetting& Thin::titleSetting(bool enabled) const {
    return title_.setting(enabled ? TextSetting::Normal : TextSetting::Disabled);
}

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, std::string_view title, const FontSetting& titleFont,
                 std::int32_t tw, std::int32_t th, bool enabled) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    tw = std::max(tw, 0);
    th = std::max(th, 0);
    const std::int32_t above = th / 2;
    PixelPen pen(painter, left, top, right, bottom, above);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    if (!title.empty() && tw > 0) {
        const FontSetting font = withSkinSetting(titleFont, titleSetting(enabled));
        title_.paint(pen.painter(), 9, -above, tw + 9, th - above, title, font, 0);
    }
    pen.row(0, std::min(6, w - 1), 0, line_);
    pen.row(tw + 11, w - 1, 0, line_);
    pen.row(0, w - 1, h - 1, line_);
    pen.column(0, 1, h - 2, line_);
    pen.column(w - 1, 1, h - 2, line_);
}

}  // namespace s::gui::drawer::groupbox::win
