// s::gui::drawer::IMenu -- paints the entries of a menu bar or pop-up menu.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

struct MenuEntryFace {
    std::string_view text;  // UTF-8; empty with separator set draws a separator line
    s::gui::win::FontSetting font;
    bool separator = false;
    bool selected = false;
    bool checked = false;
    bool enabled = true;
};

class IMenu : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const MenuEntryFace& entry) const = 0;
};

}  // namespace s::gui::drawer
