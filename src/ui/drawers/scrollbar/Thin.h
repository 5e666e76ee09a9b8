// s::gui::drawer::scrollbar::win::Thin -- a flat scroll bar: a one-pixel
// frame in the line colour and the thumb filled with the bar colour.
#pragma once

#include "ui/drawers/IScrollBar.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::scrollbar::win {

class Thin : public IScrollBar {
    TARVEX_POOLED(Thin, "s_gui_drawer_scrollbar_win_Thin")
public:
    struct Colours {
        s::gui::Rgb line = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb bar = s::gui::Rgb::hex(0x777777);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const ScrollBarFace& face) const override;

private:
    Colours colours_;
};

}  // namespace s::gui::drawer::scrollbar::win
