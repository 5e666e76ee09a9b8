// s::gui::drawer::ISlider -- paints a horizontal slider: its bar and knob.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

struct SliderFace {
    std::int32_t minimum = 0;
    std::int32_t maximum = 100;
    std::int32_t position = 0;
    bool enabled = true;
};

class ISlider : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const SliderFace& face) const = 0;
};

}  // namespace s::gui::drawer
