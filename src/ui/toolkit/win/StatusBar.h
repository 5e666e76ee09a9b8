// s::gui::win::StatusBar -- panes (boxes or any components) in a row, docked
// at the bottom of its window: after the window's layout a visible status
// bar is placed at x = 0, y = client height - its maximum height, across the
// full client width. Its height is 23 x the display scale (taken when its
// widget is made) unless a fixed height is set. A "#Resizer" Button added last at the right is the size grip.
// The surface is painted by the status-bar painter when one is set (the
// drawers' status bar look), else left in the window's colour with a top line.
#pragma once

#include <QPainter>
#include <functional>

#include "ui/toolkit/win/Box.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class StatusBar : public NativeComponent<s::gui::Container> {
    TARVEX_POOLED(StatusBar, "s_gui_win_StatusBar")
public:
    using SurfacePainter = std::function<void(QPainter&, const QRect&)>;
    static constexpr std::int32_t kBaseHeight = 23;

    StatusBar();
    void reset() override;

    void setSurfacePainter(SurfacePainter painter);
    void paintSurface(QPainter& p, const QRect& area);
    // Places the bar at the bottom of a parent of the given client size.
    void dock(std::int32_t clientWidth, std::int32_t clientHeight);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    std::string visibleText() const override { return {}; }

private:
    SurfacePainter painter_;
};

}  // namespace s::gui::win
