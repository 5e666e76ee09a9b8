// s::gui::drawer::ToggleThin -- what the flat check box and radio button
// drawers share: their three colours (line, text, disabled), the mark of
// 13 scale units at the left, vertically centred, and the text after it in
// the mark's colour. A derived drawer paints only its mark (a square tick
// box, a round dot) into the side x side area at (0, y).
#pragma once

#include <algorithm>

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

template <class Interface>
class ToggleThin : public Interface {
public:
    struct Colours {
        s::gui::Rgb line = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb text = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb disabled = s::gui::Rgb::hex(0xACA899);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const ToggleFace& face) const override {
        if (PixelPen::isEmpty(left, top, right, bottom)) return;
        PixelPen pen(painter, left, top, right, bottom);
        const std::int32_t unit = std::max(1, face.scale);
        const std::int32_t side = std::min(pen.height(), 13 * unit);
        const std::int32_t y = (pen.height() - side) / 2;
        const s::gui::Rgb line = face.enabled ? colours_.line : colours_.disabled;
        const s::gui::Rgb mark = face.enabled ? colours_.text : colours_.disabled;
        paintMark(pen, y, side, unit, face.checked, line, mark);

        s::gui::win::FontSetting font = face.font;
        font.textColour = mark;
        const std::int32_t textLeft = side + 4 * unit;
        text_.paint(pen.painter(), textLeft, 0, pen.width(), pen.height(), face.text, font, 0);
    }

protected:
    virtual void paintMark(PixelPen& pen, std::int32_t y, std::int32_t side, std::int32_t unit,
                           bool checked, s::gui::Rgb line, s::gui::Rgb mark) const = 0;

private:
    Colours colours_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer
