// s::gui::drawer::IButton -- paints a push or toggle button: frame, fill and
// caption. Captions that start with "#" name a glyph drawn instead of text
// ("#X" a close cross).
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

// What a button looks like at the moment of painting.
struct ButtonFace {
    enum State : std::int32_t { Normal = 0, Hover = 1, Pressed = 2 };

    ButtonFace() = default;
    explicit ButtonFace(std::string_view text) : caption(text) {}

    std::string_view caption;       // UTF-8
    s::gui::win::FontSetting font;  // the button's own font; the drawer adds its caption colours
    std::int32_t state = Normal;
    bool enabled = true;
    bool switchedOn = false;  // a toggle button in its pressed state
    std::int32_t scale = 1;   // the display scale factor
};

class IButton : public IDrawer {
public:
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const ButtonFace& face) const = 0;
};

}  // namespace s::gui::drawer
