// s::gui::win::Accessibility -- gives the toolkit's own painted widgets their
// accessible roles: labels are static text (links: links), group boxes are
// groupings named by their title. install() registers the factory with Qt's
// accessibility bridge once; widgets mark their kind with setRole().
#pragma once

#include <QAccessible>

class QWidget;

namespace s::gui::win {

class Accessibility {
public:
    static void install();
    // Records the role the widget is to be presented with.
    static void setRole(QWidget& widget, QAccessible::Role role);
};

}  // namespace s::gui::win
