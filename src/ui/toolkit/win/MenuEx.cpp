#include "ui/toolkit/win/MenuEx.h"

#include <QSignalBlocker>

#include "ui/toolkit/win/MenuFill.h"
#include "ui/toolkit/win/Window.h"

namespace s::gui::win {

using s::gui::menuitem::MenuItem;

MenuEx::~MenuEx() {
    detach();
    // Deleted, not released: at exit the entries' pool may be gone already.
    for (MenuItem* menu : menus_) delete menu;
}

void MenuEx::reset() {
    detach();
    clearItems();
}

void MenuEx::clearItems() {
    for (MenuItem* menu : menus_) menu->release();
    menus_.clear();
}

MenuItem& MenuEx::addMenu(s::thread::Pooled<MenuItem> menu) {
    MenuItem* raw = menu.release();
    menus_.push_back(raw);
    return *raw;
}

MenuItem* MenuEx::menuAt(std::size_t i) const { return i < menus_.size() ? menus_[i] : nullptr; }

MenuItem* MenuEx::findCommand(std::int32_t commandId) const {
    for (MenuItem* menu : menus_)
        if (MenuItem* found = menu->findCommand(commandId)) return found;
    return nullptr;
}

void MenuEx::setChecked(std::int32_t commandId, bool on) {
    if (MenuItem* item = findCommand(commandId)) item->setChecked(on);
    if (QAction* action = actionFor(commandId)) {
        const QSignalBlocker quiet(action);
        action->setCheckable(true);
        action->setChecked(on);
    }
}

bool MenuEx::isChecked(std::int32_t commandId) const {
    const MenuItem* item = findCommand(commandId);
    return item && item->isChecked();
}

void MenuEx::setEnabled(std::int32_t commandId, bool on) {
    if (MenuItem* item = findCommand(commandId)) item->setEnabled(on);
    if (QAction* action = actionFor(commandId)) action->setEnabled(on);
}

void MenuEx::relabel() {
    for (MenuItem* menu : menus_) menu->relabel();
    for (const auto& [action, item] : bound_)
        if (action) action->setText(MenuFill::textOf(*item));
}

void MenuEx::rebuild() {
    if (!bar_) return;
    bar_->clear();
    bound_.clear();
    MenuFill::Bound bound;
    const MenuFill::Chosen chosen = [this](std::int32_t id, QAction* action) {
        if (MenuItem* item = findCommand(id); item && action->isCheckable())
            item->setChecked(action->isChecked());
        choose(id);
    };
    for (MenuItem* menu : menus_) {
        QMenu* m = bar_->addMenu(MenuFill::textOf(*menu));
        bound.emplace_back(m->menuAction(), menu);
        MenuFill::fill(*m, *menu, chosen, bound);
    }
    for (const auto& [action, item] : bound) bound_.emplace_back(action, item);
}

void MenuEx::attach(Window& owner, QWidget* windowWidget) {
    detach();
    owner_ = &owner;
    if (!windowWidget) return;
    bar_ = new QMenuBar(windowWidget);
    rebuild();
    bar_->show();
}

void MenuEx::detach() {
    delete bar_.data();
    bar_.clear();
    bound_.clear();
    owner_ = nullptr;
}

QAction* MenuEx::actionFor(std::int32_t commandId) const {
    if (commandId == MenuItem::kNoCommand) return nullptr;
    for (const auto& [action, item] : bound_)
        if (item->commandId() == commandId && item->childCount() == 0) return action;
    return nullptr;
}

void MenuEx::choose(std::int32_t commandId) {
    if (owner_) owner_->menuChosen(*this, commandId);
}

}  // namespace s::gui::win
