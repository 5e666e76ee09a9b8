// s::gui::drawer::IListHeader -- paints one column header of a list.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

class IListHeader : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, std::string_view text,
                       const s::gui::win::FontSetting& font, bool pressed) const = 0;
};

}  // namespace s::gui::drawer
