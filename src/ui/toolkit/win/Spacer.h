// s::gui::win::Spacer -- an empty component of fixed width and height, used
// for gaps between controls. It has no native widget: it only takes room.
//
//     box.add(s::gui::win::Spacer::make(4 * scale, 0));
#pragma once

#include "foundation/EasyPooler.h"
#include "ui/toolkit/Component.h"

namespace s::gui::win {

class Spacer final : public s::gui::Component {
    TARVEX_POOLED(Spacer, "s_gui_win_Spacer")
public:
    static s::thread::Pooled<Spacer> make(std::int32_t w, std::int32_t h);
};

}  // namespace s::gui::win
