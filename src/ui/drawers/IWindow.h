// s::gui::drawer::IWindow -- paints a top-level window's background and
// frame over its whole client rectangle.
#pragma once

#include <QPainter>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

class IWindow : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) const = 0;
    // The background colour the window shows, for children that draw
    // transparently; false when the drawer paints no background.
    virtual bool background(s::gui::Rgb& colour) const = 0;
};

}  // namespace s::gui::drawer
