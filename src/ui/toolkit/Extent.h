// s::gui::Extent -- a width and height in pixels, as text measuring and the
// size rules of the toolkit pass them around.
#pragma once

#include <cstdint>

namespace s::gui {

struct Extent {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend constexpr bool operator==(Extent, Extent) = default;
};

}  // namespace s::gui
