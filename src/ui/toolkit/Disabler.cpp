#include "ui/toolkit/Disabler.h"

#include "ui/toolkit/Component.h"

namespace s::gui::events {

void Disabler::apply(s::gui::Component& target) { target.setEnabled(false); }

}  // namespace s::gui::events
