// s::gui::drawer::groupbox::win::Thin -- the group box of the "ThinWindow"
// skins: a square one-pixel frame in the line colour with the same title gap
// as groupbox::win::Basic (title from x = 9, frame gap from x = 7 to tw + 10),
// the title in the title settings' colour.
#pragma once

#include "ui/drawers/groupbox/TitledFrame.h"

namespace s::gui::drawer::groupbox::win {

class Thin : public TitledFrame {
    TARVEX_POOLED(Thin, "s_gui_drawer_groupbox_win_Thin")
public:
    static constexpr s::gui::Rgb kDefaultLine = s::gui::Rgb::hex(0x000000);

    Thin();
    void reset() override;

private:
    void paintFrame(PixelPen& pen, std::int32_t tw) const override;
};

}  // namespace s::gui::drawer::groupbox::win
