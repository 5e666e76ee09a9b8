// s::gui::ILayoutManager -- replaces a container's built-in layout: layout()
// places the container's children. Managers are shared and own nothing.
#pragma once

namespace s::gui {

class Container;

class ILayoutManager {
public:
    virtual ~ILayoutManager() = default;
    virtual void layout(Container& container) = 0;
};

}  // namespace s::gui
