// s::gui::events::Editabler -- on any event from its source, calls setEditable (true) on
// every target: how a check box or radio button switches other controls
// without code in the window. See TargetSwitch for registration.
#pragma once

#include "foundation/EasyPooler.h"
#include "ui/toolkit/TargetSwitch.h"

namespace s::gui::events {

class Editabler final : public s::base::IObject, public s::thread::IPoolable, public TargetSwitch {
    TARVEX_POOLED(Editabler, "s_gui_events_Editabler")
public:
    void reset() override { clearSwitch(); }

protected:
    void apply(s::gui::Component& target) override;
};

}  // namespace s::gui::events
