// s::gui::drawer::menu::win::Basic -- menu entries: the background colour
// behind every entry, the text in the text colour (the disabled look is the
// line colour), separators as a line in the line colour. The selected entry
// gets a frame in the accent line colour and its text in the accent text
// colour; a checked entry shows a square mark in the accent mark colour.
#pragma once

#include "ui/drawers/IMenu.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::menu::win {

class Basic : public IMenu {
    TARVEX_POOLED(Basic, "s_gui_drawer_menu_win_Basic")
public:
    struct Colours {
        s::gui::Rgb text = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb line = s::gui::Rgb::hex(0xACA899);
        s::gui::Rgb background = s::gui::Rgb::hex(0xFFFFFF);
    };
    // The further record of the selected entry's colours.
    struct Accents {
        s::gui::Rgb text = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb mark = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb line = s::gui::Rgb::hex(0xACA899);
    };

    void reset() override { colours_ = Colours{}, accents_ = Accents{}; }
    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }
    void setAccents(const Accents& accents) { accents_ = accents; }
    const Accents& accents() const { return accents_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const MenuEntryFace& entry) const override;

private:
    Colours colours_;
    Accents accents_;
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::menu::win
