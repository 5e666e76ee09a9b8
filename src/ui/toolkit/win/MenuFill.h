// s::gui::win::MenuFill -- builds QMenu entries from a MenuItem's children:
// separators, sub-menus, checkable actions with the entry's command id as
// data; texts get their ampersands doubled so none becomes a shortcut.
// Every action made is recorded with its entry, so texts and check marks can
// be updated in place later (a language change must not delete the action
// whose signal is being delivered).
#pragma once

#include <QAction>
#include <QMenu>
#include <functional>
#include <utility>
#include <vector>

#include "ui/toolkit/MenuItem.h"

namespace s::gui::win {

class MenuFill {
public:
    using Bound = std::vector<std::pair<QAction*, s::gui::menuitem::MenuItem*>>;
    using Chosen = std::function<void(std::int32_t commandId, QAction* action)>;

    static void fill(QMenu& into, s::gui::menuitem::MenuItem& parent, const Chosen& chosen,
                     Bound& bound);
    static QString textOf(const s::gui::menuitem::MenuItem& item);
};

}  // namespace s::gui::win
