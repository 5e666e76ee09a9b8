// s::gui::drawer::ITabBox -- paints a tab box: one tab (its caption) or the frame of the page under
// the tabs.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

struct TabFace {
    std::string_view caption;  // UTF-8
    s::gui::win::FontSetting font;
    bool selected = false;
    bool enabled = true;
};

class ITabBox : public IDrawer {
public:
    virtual void paintTab(QPainter& painter, std::int32_t left, std::int32_t top,
                          std::int32_t right, std::int32_t bottom, const TabFace& tab) const = 0;
    virtual void paintPage(QPainter& painter, std::int32_t left, std::int32_t top,
                           std::int32_t right, std::int32_t bottom) const = 0;
};

}  // namespace s::gui::drawer
