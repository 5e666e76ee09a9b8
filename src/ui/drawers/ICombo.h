// s::gui::drawer::ICombo -- paints a drop-down list's closed face: frame, text and arrow.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

struct ComboFace {
    std::string_view text;  // UTF-8, the selected item
    s::gui::win::FontSetting font;
    bool enabled = true;
    bool open = false;
    std::int32_t scale = 1;
};

class ICombo : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const ComboFace& face) const = 0;
};

}  // namespace s::gui::drawer
