#include "ui/toolkit/Pile.h"

#include "ui/toolkit/BuiltInLayout.h"

namespace s::gui::layout {

void Pile::layout(s::gui::Container& container) { BuiltIn::pile(container, 0, 0); }

Pile& Pile::shared() {
    static Pile instance;
    return instance;
}

}  // namespace s::gui::layout
