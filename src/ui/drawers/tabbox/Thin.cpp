#include "ui/drawers/tabbox/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/SkinFont.h"

namespace s::gui::drawer::tabbox::win {

using s::gui::Rgb;
using s::gui::win::FontSetting;

Thin::Thin() {
    reset();
}

void Thin::reset() {
    line_ = kDefaultLine;
    for (FontSetting& caption : captions_) caption = FontSetting{};
    captions_[CaptionNormal].setTextColour(Rgb::hex(0x000000));
    captions_[CaptionSelected].setTextColour(Rgb::hex(0x000000));
    captions_[CaptionDisabled].setTextColour(Rgb::hex(0xACA899));
}

FontSetting& Thin::captionSetting(Caption which) {
    return captions_[std::clamp<std::int32_t>(which, 0, 2)];
}

const FontSetting& Thin::captionSetting(Caption which) const {
    return captions_[std::clamp<std::int32_t>(which, 0, 2)];
}

void Thin::paintTab(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom, const TabFace& tab) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    pen.row(0, w - 1, 0, line_);
    pen.column(0, 1, h - 1, line_);
    pen.column(w - 1, 1, h - 1, line_);
    if (!tab.selected) pen.row(0, w - 1, h - 1, line_);
    const Caption which = !tab.enabled   ? CaptionDisabled
                          : tab.selected ? CaptionSelected
                                         : CaptionNormal;
    const FontSetting font = withSkinSetting(tab.font, captionSetting(which));
    text_.paint(pen.painter(), 1, 1, w - 1, h - 1, tab.caption, font, TextCentred);
}

void Thin::paintPage(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    pen.frame(0, 0, pen.width(), pen.height(), line_);
}

}  // namespace s::gui::drawer::tabbox::win
