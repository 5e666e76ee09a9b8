#include "ui/toolkit/win/NativeComponent.h"

#include <QMessageBox>

namespace s::gui::win {

QWidget* nativeParentOf(const s::gui::Component& component) {
    for (const s::gui::Component* node = component.parent(); node; node = node->parent()) {
        if (const auto* native = dynamic_cast<const INative*>(node)) {
            if (QWidget* host = native->childHost()) return host;
        }
    }
    return nullptr;
}

void reportCreationFailure() {
    static bool shown = false;
    if (shown) return;
    shown = true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Error!"),
                    QStringLiteral("Window Creation Failed!"), QMessageBox::Ok);
    box.exec();
}

QString accessibleNameFor(const s::gui::Component& component, const std::string& visibleText) {
    const std::string& name = component.explicitAccessibleName();
    return QString::fromStdString(TextRules::accessibleName(name.empty() ? visibleText : name));
}

}  // namespace s::gui::win
