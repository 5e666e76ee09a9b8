#include "ui/toolkit/win/RadioButton.h"

#include <QRadioButton>

#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/TextRules.h"

namespace s::gui::win {

void RadioButton::setChecked(bool on) {
    if (on) untickSiblings();
    showChecked(on);
}

void RadioButton::untickSiblings() {
    if (!parent()) return;
    for (s::gui::Component* sibling : parent()->children()) {
        if (sibling == this) continue;
        if (auto* radio = dynamic_cast<RadioButton*>(sibling)) radio->checked_ = false;
    }
}

void RadioButton::userClicked() {
    checked_ = true;
    untickSiblings();
    raise(kClicked);
}

Extent RadioButton::ruleSize(std::int32_t scale) const {
    const Extent text = ITextMeasurer::current().measure(font_, text_.text(), false, 0);
    return TextRules::radioButton(text, scale);
}

QWidget* RadioButton::makeWidget(QWidget* parent) {
    auto* radio = new QRadioButton(parent);
    radio->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(radio, &QRadioButton::clicked, radio, [this] { userClicked(); });
    return radio;
}

}  // namespace s::gui::win
