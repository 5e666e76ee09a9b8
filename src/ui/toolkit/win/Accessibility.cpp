#include "ui/toolkit/win/Accessibility.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace s::gui::win {
namespace {

constexpr char kRoleProperty[] = "tarvexAccessibleRole";

class RoledWidget final : public QAccessibleWidget {
public:
    RoledWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    // The role follows the widget's mark, which may change (a label made a link).
    QAccessible::Role role() const override {
        const QVariant mark = widget()->property(kRoleProperty);
        return mark.isValid() ? static_cast<QAccessible::Role>(mark.toInt())
                              : QAccessibleWidget::role();
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::Link) s.linked = true;
        return s;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    const QVariant role = widget->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new RoledWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void Accessibility::install() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(factory);
}

void Accessibility::setRole(QWidget& widget, QAccessible::Role role) {
    install();
    widget.setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace s::gui::win
