// s::gui::drawer::IGroupBox -- paints a group box's frame and title.
//
// The group box calls it with the rectangle whose top is th / 2 below its own
// top, so that the frame's top line runs through the middle of the title; tw
// and th are the title's measured width and height. The title font is the
// control's; the drawer fills in its own title setting (normal, or disabled
// when the group box is disabled) where the control chose nothing itself.
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

class IGroupBox : public IDrawer {
public:
    virtual void setColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) = 0;
    virtual std::uint8_t red() const = 0;
    virtual std::uint8_t green() const = 0;
    virtual std::uint8_t blue() const = 0;

    // The title setting used when the group box is enabled, or when it is disabled.
    virtual s::gui::win::FontSetting& titleSetting(bool enabled) = 0;
    virtual const s::gui::win::FontSetting& titleSetting(bool enabled) const = 0;

    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, std::string_view title,
                       const s::gui::win::FontSetting& titleFont, std::int32_t tw, std::int32_t th,
                       bool enabled) const = 0;
};

}  // namespace s::gui::drawer
