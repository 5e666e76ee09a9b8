// s::gui::drawer::counter::win::Basic -- a counter: its digits centred in
// the digit colour on a plate of the plate colour.
#pragma once

#include "ui/drawers/ICounter.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::counter::win {

class Basic : public ICounter {
    TARVEX_POOLED(Basic, "s_gui_drawer_counter_win_Basic")
public:
    struct Colours {
        s::gui::Rgb plate = s::gui::Rgb::hex(0x777777);
        s::gui::Rgb digits = s::gui::Rgb::hex(0xFFA500);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::string_view digits,
               const s::gui::win::FontSetting& font) const override;

private:
    Colours colours_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::counter::win
