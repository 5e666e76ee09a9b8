// s::gui::win::PopupMenu -- a pop-up menu (QMenu) built from one MenuItem
// tree (its children are the entries). popup() shows it at a screen point
// and waits for the choice: the chosen entry's command id is raised to the
// owner window's menu listeners with the menu as source, and returned (-1
// when nothing was chosen).
#pragma once

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/MenuItem.h"

namespace s::gui::win {

class Window;

class PopupMenu final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(PopupMenu, "s_gui_win_PopupMenu")
public:
    PopupMenu();
    ~PopupMenu() override;
    void reset() override;

    s::gui::menuitem::MenuItem& root() { return *root_; }
    s::gui::menuitem::MenuItem& addItem(s::thread::Pooled<s::gui::menuitem::MenuItem> item);
    std::int32_t popup(Window& owner, std::int32_t screenX, std::int32_t screenY);

private:
    s::thread::Pooled<s::gui::menuitem::MenuItem> root_;
};

}  // namespace s::gui::win
