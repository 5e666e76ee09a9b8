#include "ui/drawers/groupbox/Basic.h"

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/SkinFont.h"

namespace s::gui::drawer::groupbox::win {

using s::gui::win::FontSetting;

Basic::Basic() {
    reset();
}

void Basic::reset() {
    frame_ = kDefaultFrame;
    title_.reset();
    title_.setting(TextSetting::Normal).setTextColour(kDefaultTitle);
}

FontSetting& Basic::titleSetting(bool enabled) {
    return title_.setting(enabled ? TextSetting::Normal : TextSetting::Disabled);
}

const FontSetting& Basic::titleSetting(bool enabled) const {
    return title_.setting(enabled ? TextSetting::Normal : TextSetting::Disabled);
}

void Basic::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
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

    pen.row(2, std::min(6, w - 3), 0, frame_);
    pen.row(tw + 11, w - 3, 0, frame_);
    pen.row(2, w - 3, h - 1, frame_);
    pen.column(0, 2, h - 3, frame_);
    pen.column(w - 1, 2, h - 3, frame_);

    // Rounded corners: a two-pixel run on the second row, one pixel on the third.
    for (const std::int32_t y : {1, h - 2}) {
        pen.row(1, 2, y, frame_);
        pen.row(w - 3, w - 2, y, frame_);
    }
    for (const std::int32_t y : {2, h - 3}) {
        pen.pixel(1, y, frame_);
        pen.pixel(w - 2, y, frame_);
    }
}

}  // namespace s::gui::drawer::groupbox::win
