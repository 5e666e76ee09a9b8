// s::gui::events::UnEditabler -- on any event from its source, calls setEditable (false) on
// every target: how a check box or radio button switches other controls
// without code in the window. See TargetSwitch for registration.
#pragma once

#include "foundation/EasyPooler.h"
#include "ui/toolkit/TargetSwitch.h"

namespace s::gui::events {

class UnEditabler final : public s::base::IObject, public s::thread::IPoolable, public TargetSwitch {
    TARVEX_POOLED(UnEditabler, "s_gui_events_UnEditabler")
public:
    void reset() override { clearSwitch(); }

protected:
    void apply(s::gui::Component& target) override;
};

}  // namespace s::gui::events
