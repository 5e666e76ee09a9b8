#include "ui/toolkit/win/CheckBox.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {

void CheckBox::reset() {
    NativeComponent<s::gui::Component>::reset();
    text_.clear();
    font_ = FontSizeCode::defaultFont();
    checked_ = multiLine_ = false;
    wrapWidth_ = 0;
}

void CheckBox::setText(std::string text) {
    text_.setLiteral(std::move(text));
    applyProperties();
}

void CheckBox::setTextId(std::int32_t id) {
    text_.setId(id);
    relabel();
}

void CheckBox::relabel() {
    text_.resolve(localizer());
    applyProperties();
}

void CheckBox::setFont(const FontSetting& font) {
    font_ = font;
    applyProperties();
}

void CheckBox::setSizeCode(std::int32_t code) {
    if (FontSizeCode::apply(code, DisplayScale::get(), font_)) applyProperties();
}

void CheckBox::setMultiLine(bool on) {
    multiLine_ = on;
    measure();
}

void CheckBox::setChecked(bool on) { changeChecked(on, true); }

void CheckBox::setCheckedSilently(bool on) { changeChecked(on, false); }

void CheckBox::changeChecked(bool on, bool notify) {
    if (on == checked_) return;
    checked_ = on;
    if (auto* box = qobject_cast<QCheckBox*>(nativeWidget())) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    if (notify) raise(on ? kTicked : kUnticked);
}

void CheckBox::userToggled(bool on) { changeChecked(on, true); }

void CheckBox::setEnabled(bool on) {
    const bool changed = on != isEnabled();
    Component::setEnabled(on);
    if (changed) raiseTo(on ? kEnableList : kDisableList, kSwitched);
}

void CheckBox::addCheckListener(s::gui::events::IEventListener* l) {
    addListener(kTicked, l);
    addListener(kUnticked, l);
}

void CheckBox::measure() {
    const std::int32_t scale = DisplayScale::get();
    Extent size;
    if (multiLine_) {
        const Extent text = ITextMeasurer::current().measure(font_, text_.text(), true, wrapWidth_);
        size = TextRules::multiLineCheckBox(text, scale);
    } else {
        size = TextRules::checkBox(ITextMeasurer::current().measure(font_, text_.text(), false, 0),
                                   scale);
    }
    // The platform's indicator may need more room than the rule allows; the
    // text must never be cut.
    if (QWidget* w = nativeWidget(); w && !multiLine_) {
        size.cx = std::max(size.cx, w->sizeHint().width());
        size.cy = std::max(size.cy, w->sizeHint().height());
    }
    setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

QWidget* CheckBox::makeWidget(QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(box, &QCheckBox::toggled, box, [this](bool on) { userToggled(on); });
    return box;
}

void CheckBox::applyProperties() {
    if (auto* box = qobject_cast<QCheckBox*>(nativeWidget())) {
        const QSignalBlocker quiet(box);
        box->setFont(qFontFor(font_));
        box->setText(QString::fromStdString(TextRules::doubleAmpersands(text_.text())));
        box->setChecked(checked_);
    }
    applyAccessibility();
    measure();
}

}  // namespace s::gui::win
