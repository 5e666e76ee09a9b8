// s::gui::layout::Pile -- a layout manager that runs the built-in pile layout
// with all alignments and spacings 0, without reporting sizes to the
// container. shared() is the one instance containers report by default.
#pragma once

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/ILayoutManager.h"

namespace s::gui::layout {

class Pile final : public s::base::IObject,
                 public s::thread::IPoolable,
                 public s::gui::ILayoutManager {
    TARVEX_POOLED(Pile, "s_gui_layout_Pile")
public:
    void reset() override {}
    void layout(s::gui::Container& container) override;
    static Pile& shared();
};

}  // namespace s::gui::layout
