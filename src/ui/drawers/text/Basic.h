// s::gui::drawer::text::win::Basic -- the text drawer of labels, captions and
// group box titles.
//
// Five text settings (TextSetting order) hold what the drawer decides for a
// label's five fonts; the defaults are black normal text, grey disabled text
// and blue links, underlined while the pointer is over or pressing them.
// Only attributes marked explicit in a setting are applied to a control's font
// (see withSkinSetting).
//
// Painting draws in the given font's text colour with a transparent
// background, after the copies its effect asks for (p = the text's place):
//   0  the text only
//   1  the font's second colour at the eight neighbours of p, then the text at p + (1, 0)
//   2  grey 777777 (EEEEEE for black text) at p + (1, 1), then the text
//   3  black at p + (2, 2), white at p, then the text at p + (1, 1)
//   4  white at p, black at p + (0, 2), then the text at p + (0, 1)
//   5  white at p + (2, 2), black at p, then the text at p + (1, 1)
//   6  black at p, white at p + (0, 2), then the text at p + (0, 1)
//   7  as 1 with the font's third colour
// For effects 1 and 7 the place is one pixel in from the left, so that the
// outline stays inside the measured width. "&" is always drawn as itself.
#pragma once

#include <array>

#include "ui/drawers/IText.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::text::win {

class Basic : public IText {
    TARVEX_POOLED(Basic, "s_gui_drawer_text_win_Basic")
public:
    static constexpr s::gui::Rgb kNormalText = s::gui::Rgb::hex(0x000000);
    static constexpr s::gui::Rgb kDisabledText = s::gui::Rgb::hex(0xACA899);
    static constexpr s::gui::Rgb kLinkText = s::gui::Rgb::hex(0x0046D5);
    static constexpr s::gui::Rgb kShadowOnBlack = s::gui::Rgb::hex(0xEEEEEE);
    static constexpr s::gui::Rgb kShadow = s::gui::Rgb::hex(0x777777);

    Basic();
    void reset() override;

    s::gui::win::FontSetting& setting(TextSetting which) override;
    const s::gui::win::FontSetting& setting(TextSetting which) const override;
    void setCentred(bool centred) override { centred_ = centred; }
    bool isCentred() const override { return centred_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::string_view text, const s::gui::win::FontSetting& font,
               std::uint32_t layout) const override;
    TextExtent measure(std::string_view text, const s::gui::win::FontSetting& font,
                       std::uint32_t layout, std::int32_t wrapWidth) const override;

    // What an effect adds to a text's measured extent.
    static TextExtent effectExtra(std::int32_t effect);

private:
    std::array<s::gui::win::FontSetting, kTextSettingCount> settings_;
    bool centred_ = false;
};

}  // namespace s::gui::drawer::text::win
