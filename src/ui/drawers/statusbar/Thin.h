// s::gui::drawer::statusbar::win::Thin -- the status bar of the "ThinWindow"
// skins: 23 pixels high at scale 1 (times the scale factor), one line in the
// line colour along its top edge over the window's background.
#pragma once

#include "ui/drawers/IStatusBar.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::statusbar::win {

class Thin : public IStatusBar {
    TARVEX_POOLED(Thin, "s_gui_drawer_statusbar_win_Thin")
public:
    static constexpr std::int32_t kHeight = 23;
    static constexpr s::gui::Rgb kDefaultLine = s::gui::Rgb::hex(0x000000);

    void reset() override { line_ = kDefaultLine; }
    void setLineColour(s::gui::Rgb colour) { line_ = colour; }
    s::gui::Rgb lineColour() const { return line_; }

    std::int32_t height(std::int32_t scale) const override { return kHeight * scale; }
    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) const override;

private:
    s::gui::Rgb line_ = kDefaultLine;
};

}  // namespace s::gui::drawer::statusbar::win
