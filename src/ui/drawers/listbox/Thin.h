// s::gui::drawer::listbox::win::Thin -- a flat list: its background in the
// fill colour, odd rows in the second fill colour, the selected row in the
// selection colours; row texts in the text colour.
#pragma once

#include "ui/drawers/IListBox.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::listbox::win {

class Thin : public IListBox {
    TARVEX_POOLED(Thin, "s_gui_drawer_listbox_win_Thin")
public:
    // In the order a skin sets them.
    struct Colours {
        s::gui::Rgb fill = s::gui::Rgb::hex(0xFFFFFF);
        s::gui::Rgb text = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb selectedFill = s::gui::Rgb::hex(0x777777);
        s::gui::Rgb selectedText = s::gui::Rgb::hex(0xFFFFFF);
        s::gui::Rgb fill2 = s::gui::Rgb::hex(0xEEEEEE);
    };

    void reset() override { colours_ = Colours{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }

    void paintBackground(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) const override;
    void paintRow(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom, const ListRowFace& row) const override;

private:
    Colours colours_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::listbox::win
