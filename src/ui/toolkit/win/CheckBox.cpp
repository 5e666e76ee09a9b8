#include "ui/toolkit/win/CheckBox.h"

#include <QCheckBox>

#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/TextRules.h"

namespace s::gui::win {

void CheckBox::reset() {
    ToggleControl::reset();
    multiLine_ = false;
    wrapWidth_ = 0;
}

void CheckBox::setMultiLine(bool on) {
    multiLine_ = on;
    measure();
}

void CheckBox::setChecked(bool on) { changeChecked(on, true); }

void CheckBox::setCheckedSilently(bool on) { changeChecked(on, false); }

void CheckBox::changeChecked(bool on, bool notify) {
    if (on == checked_) return;
    showChecked(on);
    if (notify) raise(on ? kTicked : kUnticked);
}

void CheckBox::userToggled(bool on) { changeChecked(on, true); }

void CheckBox::addCheckListener(s::gui::events::IEventListener* l) {
    addListener(kTicked, l);
    addListener(kUnticked, l);
}

Extent CheckBox::ruleSize(std::int32_t scale) const {
    if (multiLine_) {
        const Extent text = ITextMeasurer::current().measure(font_, text_.text(), true, wrapWidth_);
        return TextRules::multiLineCheckBox(text, scale);
    }
    return TextRules::checkBox(ITextMeasurer::current().measure(font_, text_.text(), false, 0),
                               scale);
}

QWidget* CheckBox::makeWidget(QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(box, &QCheckBox::toggled, box, [this](bool on) { userToggled(on); });
    return box;
}

}  // namespace s::gui::win
