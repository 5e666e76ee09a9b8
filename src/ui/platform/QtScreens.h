// s::platform::qt::QtScreens -- the monitors as the frame's placement rules
// see them: the virtual screen, the primary monitor and its work area, in
// Qt's device-independent pixels, and the scale factor of the primary
// monitor computed from those pixels (so Qt's own high-DPI scaling and ours
// never multiply).
//
// Needs a QGuiApplication; without a screen every rectangle is empty and
// the scale factor is 1.
#pragma once

#include <cstdint>

#include "shell/app/Screens.h"

class QRect;

namespace s::platform::qt {

class QtScreens {
public:
    static s::app::Screens current();
    static std::int32_t scaleFactor();
    static s::app::Rect toRect(const QRect& rect);
};

}  // namespace s::platform::qt
