#include "ui/toolkit/win/RadioButton.h"

#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {

void RadioButton::reset() {
    NativeComponent<s::gui::Component>::reset();
    text_.clear();
    font_ = FontSizeCode::defaultFont();
    checked_ = false;
}

void RadioButton::setText(std::string text) {
    text_.setLiteral(std::move(text));
    applyProperties();
}

void RadioButton::setTextId(std::int32_t id) {
    text_.setId(id);
    relabel();
}

void RadioButton::relabel() {
    text_.resolve(localizer());
    applyProperties();
}

void RadioButton::setFont(const FontSetting& font) {
    font_ = font;
    applyProperties();
}

void RadioButton::setSizeCode(std::int32_t code) {
    if (FontSizeCode::apply(code, DisplayScale::get(), font_)) applyProperties();
}

void RadioButton::setChecked(bool on) {
    checked_ = on;
    if (on) untickSiblings();
    if (auto* radio = qobject_cast<QRadioButton*>(nativeWidget())) {
        const QSignalBlocker quiet(radio);
        radio->setChecked(on);
    }
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

void RadioButton::setEnabled(bool on) {
    const bool changed = on != isEnabled();
    Component::setEnabled(on);
    if (changed) raiseTo(on ? kEnableList : kDisableList, 0);
}

void RadioButton::measure() {
    const Extent text = ITextMeasurer::current().measure(font_, text_.text(), false, 0);
    Extent size = TextRules::radioButton(text, DisplayScale::get());
    if (QWidget* w = nativeWidget()) {
        size.cx = std::max(size.cx, w->sizeHint().width());
        size.cy = std::max(size.cy, w->sizeHint().height());
    }
    setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

QWidget* RadioButton::makeWidget(QWidget* parent) {
    auto* radio = new QRadioButton(parent);
    radio->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(radio, &QRadioButton::clicked, radio, [this] { userClicked(); });
    return radio;
}

void RadioButton::applyProperties() {
    if (auto* radio = qobject_cast<QRadioButton*>(nativeWidget())) {
        const QSignalBlocker quiet(radio);
        radio->setFont(qFontFor(font_));
        radio->setText(QString::fromStdString(TextRules::doubleAmpersands(text_.text())));
        radio->setChecked(checked_);
    }
    applyAccessibility();
    measure();
}

}  // namespace s::gui::win
