// s::app::Rect and s::app::Screens -- the desktop's geometry as the frame's
// placement rules see it, in device-independent pixels, without any toolkit
// type. The platform layer fills a Screens from the real monitors; tests
// build one by hand.
//
//     s::app::Screens screens{{0, 0, 3840, 1080}, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
#pragma once

#include <cstdint>

namespace s::app {

struct Rect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // One past the last column / row (64-bit sums cannot overflow).
    std::int64_t right() const { return std::int64_t{x} + width; }
    std::int64_t bottom() const { return std::int64_t{y} + height; }
    bool operator==(const Rect&) const = default;
};

struct Screens {
    Rect virtualScreen;    // the bounding rectangle of all monitors
    Rect primary;          // the primary monitor
    Rect primaryWorkArea;  // the primary monitor without panels and docks
};

}  // namespace s::app
