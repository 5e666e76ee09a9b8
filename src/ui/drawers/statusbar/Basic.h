// s::gui::drawer::statusbar::win::Basic -- the status bar of windows without
// a skin: 23 pixels high at scale 1 (times the display scale factor).
//
// With the gradient flag it paints a fixed vertical gradient of warm greys
// with rounded top corners; without it the bar keeps whatever is behind it
// (the platform look). With the show-grip flag its BasicResizer then paints
// the grip dots in the bottom-right corner. Both flags are off after a reset.
#pragma once

#include "ui/drawers/IStatusBar.h"
#include "ui/drawers/statusbar/BasicResizer.h"

namespace s::gui::drawer::statusbar::win {

class Basic : public IStatusBar {
    TARVEX_POOLED(Basic, "s_gui_drawer_statusbar_win_Basic")
public:
    static constexpr std::int32_t kHeight = 23;

    void reset() override { showGrip_ = gradient_ = false; }

    void setShowGrip(bool on) { showGrip_ = on; }
    bool showsGrip() const { return showGrip_; }
    void setGradient(bool on) { gradient_ = on; }
    bool hasGradient() const { return gradient_; }
    const BasicResizer& resizer() const { return resizer_; }

    std::int32_t height(std::int32_t scale) const override { return kHeight * scale; }
    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) const override;

private:
    void paintGradient(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) const;

    bool showGrip_ = false;
    bool gradient_ = false;
    BasicResizer resizer_;
};

}  // namespace s::gui::drawer::statusbar::win
