#include "ui/toolkit/win/MenuFill.h"

#include "ui/toolkit/TextRules.h"

namespace s::gui::win {

using s::gui::menuitem::MenuItem;

QString MenuFill::textOf(const MenuItem& item) {
    return QString::fromStdString(s::gui::TextRules::doubleAmpersands(item.text()));
}

void MenuFill::fill(QMenu& into, MenuItem& parent, const Chosen& chosen, Bound& bound) {
    for (std::size_t i = 0; i < parent.childCount(); ++i) {
        MenuItem& item = *parent.childAt(i);
        if (item.isSeparator()) {
            into.addSeparator();
            continue;
        }
        if (item.childCount() > 0) {
            QMenu* sub = into.addMenu(textOf(item));
            bound.emplace_back(sub->menuAction(), &item);
            fill(*sub, item, chosen, bound);
            continue;
        }
        QAction* action = into.addAction(textOf(item));
        action->setData(item.commandId());
        action->setCheckable(item.isCheckable());
        action->setChecked(item.isChecked());
        action->setEnabled(item.isEnabled());
        bound.emplace_back(action, &item);
        const std::int32_t id = item.commandId();
        QObject::connect(action, &QAction::triggered, action,
                         [chosen, id, action] { chosen(id, action); });
    }
}

}  // namespace s::gui::win
