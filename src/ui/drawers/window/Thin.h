// s::gui::drawer::window::win::Thin -- the window drawer of the
// "ThinWindow" skins: fills the window with its background colour (only once
// one has been set) and draws the frame colour as four one-pixel lines along
// the edges. The corner styles are kept for the window's shape; both square
// and round corners keep the window a plain rectangle.
#pragma once

#include "ui/drawers/IWindow.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::window::win {

class Thin : public IWindow {
    TARVEX_POOLED(Thin, "s_gui_drawer_window_win_Thin")
public:
    enum CornerStyle : std::int32_t { Square = 0, Round = 1 };
    static constexpr s::gui::Rgb kDefaultFrame = s::gui::Rgb::hex(0x000000);

    void reset() override;

    void setBackground(s::gui::Rgb colour) { background_ = colour, hasBackground_ = true; }
    bool background(s::gui::Rgb& colour) const override;
    void setFrameColour(s::gui::Rgb colour) { frame_ = colour; }
    s::gui::Rgb frameColour() const { return frame_; }
    void setCornerStyles(CornerStyle top, CornerStyle bottom) { top_ = top, bottom_ = bottom; }
    CornerStyle topCorners() const { return top_; }
    CornerStyle bottomCorners() const { return bottom_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) const override;

private:
    s::gui::Rgb background_{};
    bool hasBackground_ = false;
    s::gui::Rgb frame_ = kDefaultFrame;
    CornerStyle top_ = Round;
    CornerStyle bottom_ = Round;
};

}  // namespace s::gui::drawer::window::win
