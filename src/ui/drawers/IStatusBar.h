// s::gui::drawer::IStatusBar -- paints a status bar's background and tells
// its height at a display scale.
#pragma once

#include <QPainter>

#include "ui/drawers/IDrawer.h"

namespace s::gui::drawer {

class IStatusBar : public IDrawer {
public:
    // 23 pixels at scale 1, multiplied by the display scale factor.
    virtual std::int32_t height(std::int32_t scale) const = 0;
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) const = 0;
};

}  // namespace s::gui::drawer
