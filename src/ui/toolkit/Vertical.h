// s::gui::layout::Vertical -- a layout manager that runs the built-in column layout
// with all alignments and spacings 0, without reporting sizes to the
// container. shared() is the one instance containers report by default.
#pragma once

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/ILayoutManager.h"

namespace s::gui::layout {

class Vertical final : public s::base::IObject,
                 public s::thread::IPoolable,
                 public s::gui::ILayoutManager {
    TARVEX_POOLED(Vertical, "s_gui_layout_Vertical")
public:
    void reset() override {}
    void layout(s::gui::Container& container) override;
    static Vertical& shared();
};

}  // namespace s::gui::layout
