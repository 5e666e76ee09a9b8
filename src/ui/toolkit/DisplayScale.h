// s::gui::DisplayScale -- the process-wide display scale factor (1, 2 or 4)
// that multiplies the toolkit's metrics: font sizes from size codes, check box
// and radio button sizes, gaps the windows choose. The application frame sets
// it once at start-up from the primary screen; Qt's own device-pixel scaling
// is separate and the two never multiply. Values other than 1, 2 and 4 are
// ignored.
#pragma once

#include <cstdint>

namespace s::gui {

class DisplayScale {
public:
    static std::int32_t get();
    static void set(std::int32_t factor);
};

}  // namespace s::gui
