// s::gui::layout::FlowH -- a layout manager that runs the built-in flow layout
// with all alignments and spacings 0, without reporting sizes to the
// container. shared() is the one instance containers report by default.
#pragma once

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/ILayoutManager.h"

namespace s::gui::layout {

class FlowH final : public s::base::IObject,
                 public s::thread::IPoolable,
                 public s::gui::ILayoutManager {
    TARVEX_POOLED(FlowH, "s_gui_layout_FlowH")
public:
    void reset() override {}
    void layout(s::gui::Container& container) override;
    static FlowH& shared();
};

}  // namespace s::gui::layout
