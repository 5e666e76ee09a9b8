// s::gui::drawer::IListBox -- paints a list's background and its rows.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

struct ListRowFace {
    std::string_view text;  // UTF-8
    s::gui::win::FontSetting font;
    std::int32_t index = 0;  // odd rows use the second fill colour
    bool selected = false;
};

class IListBox : public IDrawer {
public:
    // The list's background behind all rows.
    virtual void paintBackground(QPainter& painter, std::int32_t left, std::int32_t top,
                                 std::int32_t right, std::int32_t bottom) const = 0;
    virtual void paintRow(QPainter& painter, std::int32_t left, std::int32_t top,
                          std::int32_t right, std::int32_t bottom,
                          const ListRowFace& row) const = 0;
};

}  // namespace s::gui::drawer
