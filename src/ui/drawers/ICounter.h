// s::gui::drawer::ICounter -- paints a counter: a short text (digits) on a coloured plate.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

class ICounter : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, std::string_view digits,
                       const s::gui::win::FontSetting& font) const = 0;
};

}  // namespace s::gui::drawer
