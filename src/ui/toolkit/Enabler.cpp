#include "ui/toolkit/Enabler.h"

#include "ui/toolkit/Component.h"

namespace s::gui::events {

void Enabler::apply(s::gui::Component& target) { target.setEnabled(true); }

}  // namespace s::gui::events
