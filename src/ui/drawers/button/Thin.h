// s::gui::drawer::button::win::Thin -- the button drawer of the "ThinWindow"
// skins.
//
// States: 0 normal, 1 pointer over, 2 pressed; a switched-on toggle button
// swaps 1 and 2. The one-pixel frame is in the frame colour, the switched-on
// frame colour when switched on, and the disabled frame colour when disabled;
// a switched-on button is filled inside its frame with the switched-on fill
// colour. The caption is centred in the rectangle inset by two scale units,
// moved one unit up and left in state 1 and one unit down and right in state
// 2, in the caption setting for the button's state (normal, disabled,
// switched on).
//
// Captions starting with "#" name a glyph drawn in the caption colour:
// "#X" a close cross, "#_" a minimise bar, "#Resizer" the size grip's dots;
// other names draw nothing.
#pragma once

#include "ui/drawers/IButton.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::button::win {

class Thin : public IButton {
    TARVEX_POOLED(Thin, "s_gui_drawer_button_win_Thin")
public:
    enum Caption : std::int32_t { CaptionNormal = 0, CaptionDisabled = 1, CaptionSwitchedOn = 2 };

    struct Colours {
        s::gui::Rgb frame = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb disabledFrame = s::gui::Rgb::hex(0xACA899);
        s::gui::Rgb switchedOnFrame = s::gui::Rgb::hex(0x000000);
        s::gui::Rgb switchedOnFill = s::gui::Rgb::hex(0x777777);
    };

    Thin();
    void reset() override;

    void setColours(const Colours& colours) { colours_ = colours; }
    const Colours& colours() const { return colours_; }
    s::gui::win::FontSetting& captionSetting(Caption which);
    const s::gui::win::FontSetting& captionSetting(Caption which) const;

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, const ButtonFace& face) const override;

    // The state a face is drawn in, after the switched-on swap.
    static std::int32_t effectiveState(const ButtonFace& face);

private:
    void paintGlyph(QPainter& painter, std::string_view name, const QRect& area, s::gui::Rgb colour,
                    std::int32_t scale) const;

    Colours colours_;
    s::gui::win::FontSetting captions_[3];
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::button::win
