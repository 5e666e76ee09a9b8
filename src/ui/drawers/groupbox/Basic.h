// s::gui::drawer::groupbox::win::Basic -- the group box frame of windows
// without a skin: a one-pixel frame with rounded corners and a gap for the
// title at its top left.
//
// Given the title's width tw and height th, relative to the rectangle (whose
// top the group box puts th / 2 below its own, see IGroupBox):
// - the title is drawn transparently, one line, from x = 9 to tw + 9 and from
//   y = -(th / 2) (the group box's top) to th - th / 2;
// - the frame's top line runs from x = 2 to 6 and from tw + 11 to w - 3, a
//   gap of two pixels on each side of the title; the bottom line from 2 to
//   w - 3; the side columns from y = 2 to h - 3;
// - each corner is rounded by a two-pixel run one pixel in from the corner on
//   the second row from the top (bottom) and one pixel on the third row.
//
// The frame colour is D0D0BF after a reset; the title's normal setting draws
// in 0046D5.
#pragma once

#include "ui/drawers/groupbox/TitledFrame.h"

namespace s::gui::drawer::groupbox::win {

class Basic : public TitledFrame {
    TARVEX_POOLED(Basic, "s_gui_drawer_groupbox_win_Basic")
public:
    static constexpr s::gui::Rgb kDefaultFrame = s::gui::Rgb::hex(0xD0D0BF);
    static constexpr s::gui::Rgb kDefaultTitle = s::gui::Rgb::hex(0x0046D5);

    Basic();
    void reset() override;

private:
    void paintFrame(PixelPen& pen, std::int32_t tw) const override;
};

}  // namespace s::gui::drawer::groupbox::win
