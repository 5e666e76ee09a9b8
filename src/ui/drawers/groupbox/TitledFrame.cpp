#include "ui/drawers/groupbox/TitledFrame.h"

#include <algorithm>

#include "ui/drawers/SkinFont.h"

namespace s::gui::drawer::groupbox::win {

using s::gui::win::FontSetting;

void TitledFrame::resetFrame(s::gui::Rgb frame) {
    frame_ = frame;
    title_.reset();
}

FontSetting& TitledFrame::titleSetting(bool enabled) {
    return title_.setting(enabled ? TextSetting::Normal : TextSetting::Disabled);
}

const FontSetting& TitledFrame::titleSetting(bool enabled) const {
    return title_.setting(enabled ? TextSetting::Normal : TextSetting::Disabled);
}

void TitledFrame::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::string_view title, const FontSetting& titleFont,
                        std::int32_t tw, std::int32_t th, bool enabled) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    tw = std::max(tw, 0);
    th = std::max(th, 0);
    // The title sits th / 2 above the rectangle, so the pen's clip grows by that.
    const std::int32_t above = th / 2;
    PixelPen pen(painter, left, top, right, bottom, above);
    if (!title.empty() && tw > 0) {
        const FontSetting font = withSkinSetting(titleFont, titleSetting(enabled));
        title_.paint(pen.painter(), 9, -above, tw + 9, th - above, title, font, 0);
    }
    paintFrame(pen, tw);
}

}  // namespace s::gui::drawer::groupbox::win
