// s::gui::drawer::BoxPainter -- paints a box: its background, then its
// border drawer over the client rectangle.
//
// Background, in this order of precedence:
// 1. the hover colour, when the box has one and the pointer is over it;
// 2. when the box is transparent, what lies behind it: the area of `behind`
//    (the painted image of the nearest ancestor that keeps one) at
//    `behindOffset`, else the single colour `behindColour` when the caller
//    knows only that, else nothing at all (the target keeps its pixels);
// 3. otherwise the box's own background colour.
//
//     BoxLook look;
//     look.transparent = false;
//     look.background = s::gui::Rgb::hex(0xFFFFFF);
//     look.border = &plainBorder;
//     BoxPainter::paint(painter, 0, 0, width, height, look);
//
// The rectangle rules are those of every drawer (IDrawer.h).
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>

#include "ui/drawers/IBorder.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

struct BoxLook {
    s::gui::Rgb background{};
    bool transparent = true;
    bool hasHoverColour = false;
    s::gui::Rgb hoverColour{};
    bool hovered = false;
    const QImage* behind = nullptr;  // not owned
    QPoint behindOffset;             // where the box's top-left lies in `behind`
    bool hasBehindColour = false;
    s::gui::Rgb behindColour{};
    const IBorder* border = nullptr;  // not owned
};

class BoxPainter {
public:
    static void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom, const BoxLook& look);

private:
    static void paintBackground(QPainter& painter, std::int32_t width, std::int32_t height,
                                const BoxLook& look);
};

}  // namespace s::gui::drawer
