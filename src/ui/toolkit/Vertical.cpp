#include "ui/toolkit/Vertical.h"

#include "ui/toolkit/BuiltInLayout.h"

namespace s::gui::layout {

void Vertical::layout(s::gui::Container& container) { BuiltIn::column(container, 0, 0, 0); }

Vertical& Vertical::shared() {
    static Vertical instance;
    return instance;
}

}  // namespace s::gui::layout
