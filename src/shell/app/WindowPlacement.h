// s::app::WindowPlacement -- the geometry rules that keep a restored window
// where the user can reach it.
//
// A window is reachable when it is wider and taller than 10 pixels and at
// least 10 pixels of it lie inside the virtual screen (the union of all
// monitors) in each direction: left <= virtual right - 10,
// right >= virtual left + 10, and the same vertically. An unreachable window
// is centred in the primary monitor's work area, but never above or to the
// left of the work area's origin, so its title bar stays on the screen even
// when the window is larger than the work area.
#pragma once

#include <cstdint>

#include "shell/app/Screens.h"

namespace s::app {

class WindowPlacement {
public:
    // Pixels of a window that must stay inside the virtual screen.
    static constexpr std::int32_t kMinVisible = 10;

    static bool isReachable(const Rect& window, const Rect& virtualScreen);
    // A width x height rectangle centred in workArea, clamped to its origin.
    static Rect centred(std::int32_t width, std::int32_t height, const Rect& workArea);
};

}  // namespace s::app
