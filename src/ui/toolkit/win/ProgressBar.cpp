#include "ui/toolkit/win/ProgressBar.h"

#include <QProgressBar>
#include <algorithm>

namespace s::gui::win {

void ProgressBar::reset() {
    NativeComponent<s::gui::Component>::reset();
    min_ = 0, max_ = 100, pos_ = 0;
    indeterminate_ = false;
}

void ProgressBar::setRange(std::int32_t minimum, std::int32_t maximum) {
    min_ = minimum;
    max_ = maximum < minimum ? minimum : maximum;
    applyProperties();
}

void ProgressBar::setPosition(std::int32_t position) {
    pos_ = position;
    if (auto* bar = qobject_cast<QProgressBar*>(nativeWidget()))
        if (!indeterminate_) bar->setValue(std::clamp(pos_, min_, max_));
}

void ProgressBar::setIndeterminate(bool on) {
    indeterminate_ = on;
    applyProperties();
}

QWidget* ProgressBar::makeWidget(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    return bar;
}

void ProgressBar::applyProperties() {
    if (auto* bar = qobject_cast<QProgressBar*>(nativeWidget())) {
        if (indeterminate_) {
            bar->setRange(0, 0);
        } else {
            bar->setRange(min_, max_);
            bar->setValue(std::clamp(pos_, min_, max_));
        }
    }
    applyAccessibility();
}

}  // namespace s::gui::win
