// s::gui::events::IEventListener -- told what happened to a component, a
// menu or a skinner: onEvent(source, kind), with kind from the source's own
// table of event kinds. Lists of listeners call them in registration order,
// on the user-interface thread, and never own them. The source offers any
// data of the event (dropped paths, selected index, the job event record)
// through its own operations while the call lasts.
#pragma once

#include <cstdint>

#include "foundation/IObject.h"

namespace s::gui::events {

class IEventListener {
public:
    virtual ~IEventListener() = default;
    virtual void onEvent(s::base::IObject& source, std::int32_t kind) = 0;
};

}  // namespace s::gui::events
