#include "ui/drawers/button/Thin.h"

#include <algorithm>

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/QtConversion.h"
#include "ui/drawers/SkinFont.h"
#include "ui/drawers/statusbar/BasicResizer.h"

namespace s::gui::drawer::button::win {

using s::gui::Rgb;
using s::gui::win::FontSetting;

Thin::Thin() {
    reset();
}

void Thin::reset() {
    colours_ = Colours{};
    for (FontSetting& caption : captions_) caption = FontSetting{};
    captions_[CaptionNormal].setTextColour(Rgb::hex(0x000000));
    captions_[CaptionDisabled].setTextColour(Rgb::hex(0xACA899));
    captions_[CaptionSwitchedOn].setTextColour(Rgb::hex(0xFFFFFF));
    text_.reset();
}

FontSetting& Thin::captionSetting(Caption which) {
    return captions_[std::clamp<std::int32_t>(which, 0, 2)];
}

const FontSetting& Thin::captionSetting(Caption which) const {
    return captions_[std::clamp<std::int32_t>(which, 0, 2)];
}

std::int32_t Thin::effectiveState(const ButtonFace& face) {
    if (!face.switchedOn) return face.state;
    if (face.state == ButtonFace::Hover) return ButtonFace::Pressed;
    if (face.state == ButtonFace::Pressed) return ButtonFace::Hover;
    return face.state;
}

void Thin::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, const ButtonFace& face) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();

    if (face.switchedOn) pen.fill(1, 1, w - 2, h - 2, colours_.switchedOnFill);
    const Rgb frame = !face.enabled     ? colours_.disabledFrame
                      : face.switchedOn ? colours_.switchedOnFrame
                                        : colours_.frame;
    pen.frame(0, 0, w, h, frame);

    const std::int32_t unit = std::max(1, face.scale);
    QRect area(2 * unit, 2 * unit, w - 4 * unit, h - 4 * unit);
    const std::int32_t state = effectiveState(face);
    if (state == ButtonFace::Hover) area.translate(-unit, -unit);
    if (state == ButtonFace::Pressed) area.translate(unit, unit);
    if (area.width() <= 0 || area.height() <= 0) return;

    const Caption which = !face.enabled     ? CaptionDisabled
                          : face.switchedOn ? CaptionSwitchedOn
                                            : CaptionNormal;
    const FontSetting font = withSkinSetting(face.font, captionSetting(which));
    if (!face.caption.empty() && face.caption.front() == '#') {
        paintGlyph(pen.painter(), face.caption.substr(1), area, font.textColour, unit);
        return;
    }
    text_.paint(pen.painter(), area.left(), area.top(), area.right() + 1, area.bottom() + 1,
                face.caption, font, TextCentred);
}

void Thin::paintGlyph(QPainter& painter, std::string_view name, const QRect& area, Rgb colour,
                      std::int32_t scale) const {
    const QColor qcolour = toQColor(colour);
    if (name == "Resizer") {
        statusbar::win::BasicResizer grip;
        grip.paint(painter, area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        return;
    }
    // A centred square, a third smaller than the caption area, for the glyph lines.
    const std::int32_t side = std::min(area.width(), area.height()) * 2 / 3;
    if (side < 2) return;
    const QRect square(area.left() + (area.width() - side) / 2,
                       area.top() + (area.height() - side) / 2, side, side);
    if (name == "X") {
        // One-pixel diagonals, thickened by the scale, drawn pixel by pixel so
        // both arms are exact mirror images.
        for (std::int32_t i = 0; i < side; ++i) {
            const QRect a(square.left() + i, square.top() + i, scale, scale);
            const QRect b(square.right() - i - scale + 1, square.top() + i, scale, scale);
            painter.fillRect(a.intersected(square), qcolour);
            painter.fillRect(b.intersected(square), qcolour);
        }
    } else if (name == "_") {
        painter.fillRect(QRect(square.left(), square.bottom() - 2 * scale + 1, side, 2 * scale),
                         qcolour);
    }
}

}  // namespace s::gui::drawer::button::win
