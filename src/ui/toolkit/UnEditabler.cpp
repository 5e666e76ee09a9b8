#include "ui/toolkit/UnEditabler.h"

#include "ui/toolkit/Component.h"

namespace s::gui::events {

void UnEditabler::apply(s::gui::Component& target) { target.setEditable(false); }

}  // namespace s::gui::events
