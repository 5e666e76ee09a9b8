// s::gui::drawer::listheader::win::Thin -- a list's column header: filled
// with the fill colour, framed in the line colour, its text in the text
// colour (moved one pixel down and right while pressed).
#pragma once

#include "ui/drawers/IListHeader.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::listheader::win {

class Thin : public IListHeader {
    TARVEX_POOLED(Thin, "s_gui_drawer_listheader_win_Thin")
public:
    struct Colours {
        s::gui::Rgb line = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb fill = s::gui::Rgb::hex(0x777777);
        s::gui::Rgb text = s::gui::Rgb::hex(0xFFFFFF);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::string_view text, const s::gui::win::FontSetting& font,
               bool pressed) const override;

private:
    Colours colours_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::listheader::win
