// s::app::ScaleFactor -- the display class of the primary screen: 1, 2 or 4.
//
// The factor multiplies default window sizes, icon sizes and metrics, and
// picks the stored view section, so each display class keeps its own window
// geometry. It is computed from the primary screen's size in the toolkit's
// device-independent pixels: where the toolkit already scales for a high-DPI
// screen, the size it reports is the scaled one, so the two scalings never
// multiply.
//
//     const std::int32_t scale = s::app::ScaleFactor::forScreenSize(3840, 2160);  // 2
#pragma once

#include <cstdint>

namespace s::app {

class ScaleFactor {
public:
    // 4 when width > 4096 and height >= 3240; 2 when width > 1920 and
    // height >= 1620; else 1.
    static std::int32_t forScreenSize(std::int32_t width, std::int32_t height);
};

}  // namespace s::app
