#include "ui/toolkit/win/ComboBox.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {

using s::gui::combobox::ComboBoxItem;

ComboBox::~ComboBox() {
    // Deleted, not released: at exit the items' pool may be gone already.
    for (ComboBoxItem* item : items_) delete item;
}

void ComboBox::reset() {
    NativeComponent<s::gui::Component>::reset();
    removeAllItems();
    font_ = FontSizeCode::defaultFont();
    filling_ = false;
}

ComboBoxItem& ComboBox::addItem(s::thread::Pooled<ComboBoxItem> item) {
    ComboBoxItem* raw = item.release();
    raw->relabel(localizer());
    items_.push_back(raw);
    if (auto* box = qobject_cast<QComboBox*>(nativeWidget())) {
        const QSignalBlocker quiet(box);
        box->addItem(QString::fromStdString(raw->text()));
    }
    measure();
    return *raw;
}

void ComboBox::removeAllItems() {
    for (ComboBoxItem* item : items_) item->release();
    items_.clear();
    selected_ = -1;
    if (auto* box = qobject_cast<QComboBox*>(nativeWidget())) {
        const QSignalBlocker quiet(box);
        box->clear();
    }
}

ComboBoxItem* ComboBox::itemAt(std::size_t i) const {
    return i < items_.size() ? items_[i] : nullptr;
}

void ComboBox::setSelectedIndex(std::int32_t index, bool notify) {
    if (index < -1 || index >= static_cast<std::int32_t>(items_.size())) return;
    const bool changed = index != selected_;
    selected_ = index;
    if (auto* box = qobject_cast<QComboBox*>(nativeWidget())) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
    if (notify && changed) raise(kSelectionChanged);
}

void ComboBox::userSelected(std::int32_t index) {
    if (filling_ || index == selected_) return;
    selected_ = index;
    raise(kSelectionChanged);
}

void ComboBox::setFont(const FontSetting& font) {
    font_ = font;
    applyProperties();
}

void ComboBox::setSizeCode(std::int32_t code) {
    if (FontSizeCode::apply(code, DisplayScale::get(), font_)) applyProperties();
}

void ComboBox::relabel() {
    for (ComboBoxItem* item : items_) item->relabel(localizer());
    if (auto* box = qobject_cast<QComboBox*>(nativeWidget())) {
        const QSignalBlocker quiet(box);
        for (std::size_t i = 0; i < items_.size(); ++i)
            box->setItemText(static_cast<int>(i), QString::fromStdString(items_[i]->text()));
    }
    applyAccessibility();
    measure();
}

void ComboBox::measure() {
    const std::int32_t scale = DisplayScale::get();
    Extent widest{0, 0};
    for (const ComboBoxItem* item : items_) {
        const Extent e = ITextMeasurer::current().measure(font_, item->text(), false, 0);
        widest.cx = std::max(widest.cx, e.cx);
        widest.cy = std::max(widest.cy, e.cy);
    }
    if (widest.cy == 0) widest.cy = ITextMeasurer::current().measure(font_, "X", false, 0).cy;
    Extent size{widest.cx + 32 * scale, widest.cy + 8 * scale};
    if (QWidget* w = nativeWidget()) {
        size.cx = std::max(size.cx, w->sizeHint().width());
        size.cy = std::max(size.cy, w->sizeHint().height());
    }
    setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

void ComboBox::fillWidget() {
    auto* box = qobject_cast<QComboBox*>(nativeWidget());
    if (!box) return;
    filling_ = true;
    const QSignalBlocker quiet(box);
    box->clear();
    for (const ComboBoxItem* item : items_) box->addItem(QString::fromStdString(item->text()));
    box->setCurrentIndex(selected_);
    filling_ = false;
}

QWidget* ComboBox::makeWidget(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    box->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(box, &QComboBox::currentIndexChanged, box,
                     [this](int index) { userSelected(index); });
    return box;
}

void ComboBox::applyProperties() {
    if (auto* box = qobject_cast<QComboBox*>(nativeWidget())) box->setFont(qFontFor(font_));
    fillWidget();
    applyAccessibility();
    measure();
}

}  // namespace s::gui::win
