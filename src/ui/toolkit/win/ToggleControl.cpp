#include "ui/toolkit/win/ToggleControl.h"

#include <QAbstractButton>
#include <QSignalBlocker>
#include <algorithm>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/TextRules.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {

void ToggleControl::reset() {
    NativeComponent<s::gui::Component>::reset();
    text_.clear();
    font_ = FontSizeCode::defaultFont();
    checked_ = false;
}

void ToggleControl::setText(std::string text) {
    text_.setLiteral(std::move(text));
    applyProperties();
}

void ToggleControl::setTextId(std::int32_t id) {
    text_.setId(id);
    relabel();
}

void ToggleControl::relabel() {
    text_.resolve(localizer());
    applyProperties();
}

void ToggleControl::setFont(const FontSetting& font) {
    font_ = font;
    applyProperties();
}

void ToggleControl::setSizeCode(std::int32_t code) {
    if (FontSizeCode::apply(code, DisplayScale::get(), font_)) applyProperties();
}

void ToggleControl::setEnabled(bool on) {
    const bool changed = on != isEnabled();
    Component::setEnabled(on);
    if (changed) raiseTo(on ? kEnableList : kDisableList, kSwitched);
}

void ToggleControl::showChecked(bool on) {
    checked_ = on;
    if (auto* button = qobject_cast<QAbstractButton*>(nativeWidget())) {
        const QSignalBlocker quiet(button);
        button->setChecked(on);
    }
}

void ToggleControl::measure() {
    Extent size = ruleSize(DisplayScale::get());
    // The platform's indicator may need more room than the rule allows; the
    // text must never be cut.
    if (QWidget* w = nativeWidget(); w && followsPlatformHint()) {
        size.cx = std::max(size.cx, w->sizeHint().width());
        size.cy = std::max(size.cy, w->sizeHint().height());
    }
    setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

void ToggleControl::applyProperties() {
    if (auto* button = qobject_cast<QAbstractButton*>(nativeWidget())) {
        const QSignalBlocker quiet(button);
        button->setFont(qFontFor(font_));
        button->setText(QString::fromStdString(TextRules::doubleAmpersands(text_.text())));
        button->setChecked(checked_);
    }
    applyAccessibility();
    measure();
}

}  // namespace s::gui::win
