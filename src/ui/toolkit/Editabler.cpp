#include "ui/toolkit/Editabler.h"

#include "ui/toolkit/Component.h"

namespace s::gui::events {

void Editabler::apply(s::gui::Component& target) { target.setEditable(true); }

}  // namespace s::gui::events
