// s::gui::win::MenuEx -- a window's menu bar (QMenuBar) built from MenuItem
// trees: each top-level entry is a menu, its children the entries (checkable
// QActions where the entry is checkable, separators). Choosing an entry
// raises its command id to the owner window's menu listeners with the menu
// as source. relabel() re-reads every text after a language change (the
// window calls it). setChecked/setEnabled change an entry by command id.
//
//     auto menu = MenuEx::take();
//     auto& view = menu->addMenu(MenuItem::make(loc, 609000));
//     view.addChild(MenuItem::make(loc, 609100, 1)).setChecked(true);
//     window.setMenu(std::move(menu));
#pragma once

#include <QMenuBar>
#include <QPointer>
#include <utility>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/MenuItem.h"

class QMenu;
class QAction;
class QWidget;

namespace s::gui::win {

class Window;

class MenuEx final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(MenuEx, "s_gui_win_MenuEx")
public:
    ~MenuEx() override;
    void reset() override;

    // Adds a top-level menu; returns it so entries can be added as children.
    s::gui::menuitem::MenuItem& addMenu(s::thread::Pooled<s::gui::menuitem::MenuItem> menu);
    std::size_t menuCount() const { return menus_.size(); }
    s::gui::menuitem::MenuItem* menuAt(std::size_t i) const;
    s::gui::menuitem::MenuItem* findCommand(std::int32_t commandId) const;
    void setChecked(std::int32_t commandId, bool on);
    bool isChecked(std::int32_t commandId) const;
    void setEnabled(std::int32_t commandId, bool on);
    void relabel();
    // Rebuilds the menu bar from the entries (after adding entries later).
    void rebuild();

    // The window attaches the menu; the bar exists while attached.
    void attach(Window& owner, QWidget* windowWidget);
    void detach();
    QMenuBar* menuBar() const { return bar_.data(); }
    // The QAction of a command id (tests click it), or null.
    QAction* actionFor(std::int32_t commandId) const;
    Window* owner() const { return owner_; }
    // Reports a chosen entry to the owner window.
    void choose(std::int32_t commandId);

private:
    void clearItems();
    std::vector<s::gui::menuitem::MenuItem*> menus_;
    Window* owner_ = nullptr;
    QPointer<QMenuBar> bar_;
    // Every action of the bar with its entry, for updates in place.
    std::vector<std::pair<QPointer<QAction>, s::gui::menuitem::MenuItem*>> bound_;
};

}  // namespace s::gui::win
