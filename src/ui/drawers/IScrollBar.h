// s::gui::drawer::IScrollBar -- paints a scroll bar: its track, frame and thumb.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

// A scroll bar's range and the part of it that is visible.
struct ScrollBarFace {
    std::int32_t minimum = 0;
    std::int32_t maximum = 100;
    std::int32_t page = 10;
    std::int32_t position = 0;
    bool vertical = true;
};

class IScrollBar : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const ScrollBarFace& face) const = 0;
};

}  // namespace s::gui::drawer
