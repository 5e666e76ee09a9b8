// s::gui::drawer::IBorder -- paints a box's border over its client rectangle
// (after the box painted its background). See IDrawer for the rectangle rules.
#pragma once

#include <QPainter>

#include "ui/drawers/IDrawer.h"

namespace s::gui::drawer {

class IBorder : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) const = 0;
};

}  // namespace s::gui::drawer
