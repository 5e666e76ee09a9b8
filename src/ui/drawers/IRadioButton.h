// s::gui::drawer::IRadioButton -- paints a radio button: the round mark and its text.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/ICheckBox.h"
#include "ui/drawers/IDrawer.h"

namespace s::gui::drawer {

class IRadioButton : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const ToggleFace& face) const = 0;
};

}  // namespace s::gui::drawer
