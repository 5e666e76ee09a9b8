// s::gui::drawer::ICheckBox -- paints a check box: the tick box and its text.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

// A check box or radio button at the moment of painting.
struct ToggleFace {
    std::string_view text;  // UTF-8
    s::gui::win::FontSetting font;
    bool checked = false;
    bool enabled = true;
    std::int32_t scale = 1;
};

class ICheckBox : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const ToggleFace& face) const = 0;
};

}  // namespace s::gui::drawer
