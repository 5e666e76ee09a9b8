#include "ui/toolkit/win/PopupMenu.h"

#include <QMenu>

#include "ui/toolkit/win/MenuFill.h"
#include "ui/toolkit/win/Window.h"

namespace s::gui::win {

using s::gui::menuitem::MenuItem;

PopupMenu::PopupMenu() : root_(MenuItem::take()) {}

PopupMenu::~PopupMenu() { delete root_.release(); }

void PopupMenu::reset() { root_->removeChildren(); }

MenuItem& PopupMenu::addItem(s::thread::Pooled<MenuItem> item) {
    return root_->addChild(std::move(item));
}

std::int32_t PopupMenu::popup(Window& owner, std::int32_t screenX, std::int32_t screenY) {
    QMenu menu(owner.nativeWidget());
    MenuFill::Bound bound;
    std::int32_t chosenId = MenuItem::kNoCommand;
    MenuFill::fill(menu, *root_, [&](std::int32_t id, QAction* action) {
        if (MenuItem* item = root_->findCommand(id); item && action->isCheckable())
            item->setChecked(action->isChecked());
        chosenId = id;
    }, bound);
    menu.exec(QPoint(screenX, screenY));
    if (chosenId != MenuItem::kNoCommand) owner.menuChosen(*this, chosenId);
    return chosenId;
}

}  // namespace s::gui::win
