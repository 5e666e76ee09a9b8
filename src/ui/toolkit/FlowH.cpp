#include "ui/toolkit/FlowH.h"

#include "ui/toolkit/BuiltInLayout.h"

namespace s::gui::layout {

void FlowH::layout(s::gui::Container& container) { BuiltIn::flow(container, 0, 0, 0, 0); }

FlowH& FlowH::shared() {
    static FlowH instance;
    return instance;
}

}  // namespace s::gui::layout
