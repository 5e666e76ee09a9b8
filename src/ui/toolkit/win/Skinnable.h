// s::gui::win::ISkinnable -- a control that paints with a drawer of the
// current skin of its window's skinner: the window hands every such control
// the skin (or null when none) when the window is created and whenever the
// current skin changes; the control borrows the drawer of its kind and
// redraws. Labels take the text drawer, buttons the button drawer, group
// boxes the group box drawer.
#pragma once

namespace s::gui::drawer {
class ISkin;
}

namespace s::gui::win {

class ISkinnable {
public:
    virtual ~ISkinnable() = default;
    virtual void takeSkin(const s::gui::drawer::ISkin* skin) = 0;
};

}  // namespace s::gui::win
