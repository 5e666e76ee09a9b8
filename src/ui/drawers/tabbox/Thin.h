// s::gui::drawer::tabbox::win::Thin -- a flat tab box: tabs framed in the
// line colour on three sides (the selected one open towards its page), the
// page framed in the line colour. Tab captions use three text settings:
// normal, selected and disabled.
#pragma once

#include "ui/drawers/ITabBox.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::tabbox::win {

class Thin : public ITabBox {
    TARVEX_POOLED(Thin, "s_gui_drawer_tabbox_win_Thin")
public:
    enum Caption : std::int32_t { CaptionNormal = 0, CaptionSelected = 1, CaptionDisabled = 2 };
    static constexpr s::gui::Rgb kDefaultLine = s::gui::Rgb::hex(0x000000);

    Thin();
    void reset() override;

    void setLineColour(s::gui::Rgb colour) { line_ = colour; }
    s::gui::Rgb lineColour() const { return line_; }
    s::gui::win::FontSetting& captionSetting(Caption which);
    const s::gui::win::FontSetting& captionSetting(Caption which) const;

    void paintTab(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom, const TabFace& tab) const override;
    void paintPage(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) const override;

private:
    s::gui::Rgb line_ = kDefaultLine;
    s::gui::win::FontSetting captions_[3];
    text::win::Basic text_;
};

}  // namespace s::gui::drawer::tabbox::win
