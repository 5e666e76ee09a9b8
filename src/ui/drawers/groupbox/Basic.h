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

#include "ui/drawers/IGroupBox.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::groupbox::win {

class Basic : public IGroupBox {
    TARVEX_POOLED(Basic, "s_gui_drawer_groupbox_win_Basic")
public:
    static constexpr s::gui::Rgb kDefaultFrame = s::gui::Rgb::hex(0xD0D0BF);
    static constexpr s::gui::Rgb kDefaultTitle = s::gui::Rgb::hex(0x0046D5);

    Basic();
    void reset() override;

    void setColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) override { frame_ = {r, g, b}; }
    std::uint8_t red() const override { return frame_.r; }
    std::uint8_t green() const override { return frame_.g; }
    std::uint8_t blue() const override { return frame_.b; }

    s::gui::win::FontSetting& titleSetting(bool enabled) override;
    const s::gui::win::FontSetting& titleSetting(bool enabled) const override;
    // The drawer the title is drawn with.
    text::win::Basic& titleText() { return title_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::string_view title,
               const s::gui::win::FontSetting& titleFont, std::int32_t tw, std::int32_t th,
               bool enabled) const override;

private:
    s::gui::Rgb frame_ = kDefaultFrame;
    text::win::Basic title_;
};

}  // namespace s::gui::drawer::groupbox::win
