// s::gui::drawer::IDrawer -- the common base of every drawer: a pooled object
// (registered name, release to its pool, reset to the reset values).
//
// A drawer paints one kind of component into a QPainter, inside a rectangle
// given as left, top, right, bottom (right and bottom exclusive). It paints
// nothing when right <= left or bottom <= top, never outside the rectangle,
// and measures every coordinate of its own from the rectangle's top-left
// corner. Drawers hold only colours, flags and text settings; colours set on a
// drawer are copied, and a drawer owns none of the components it paints.
#pragma once

#include <cstdint>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"

namespace s::gui::drawer {

class IDrawer : public s::base::IObject, public s::thread::IPoolable {
public:
    ~IDrawer() override = default;
};

}  // namespace s::gui::drawer
