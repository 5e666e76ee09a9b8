#include "shell/app/WindowPlacement.h"

#include <algorithm>

namespace s::app {

bool WindowPlacement::isReachable(const Rect& window, const Rect& virtualScreen) {
    if (window.width <= kMinVisible || window.height <= kMinVisible) return false;
    const bool horizontally = window.x <= virtualScreen.right() - kMinVisible &&
                              window.right() >= std::int64_t{virtualScreen.x} + kMinVisible;
    const bool vertically = window.y <= virtualScreen.bottom() - kMinVisible &&
                            window.bottom() >= std::int64_t{virtualScreen.y} + kMinVisible;
    return horizontally && vertically;
}

Rect WindowPlacement::centred(std::int32_t width, std::int32_t height, const Rect& workArea) {
    // 64-bit halves: a stored size near INT32_MAX must not overflow.
    const std::int64_t x = std::int64_t{workArea.x} + (std::int64_t{workArea.width} - width) / 2;
    const std::int64_t y = std::int64_t{workArea.y} + (std::int64_t{workArea.height} - height) / 2;
    return Rect{static_cast<std::int32_t>(std::max<std::int64_t>(x, workArea.x)),
                static_cast<std::int32_t>(std::max<std::int64_t>(y, workArea.y)), width, height};
}

}  // namespace s::app
