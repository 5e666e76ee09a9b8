#include "ui/toolkit/win/ComboBoxItem.h"

namespace s::gui::combobox {

s::thread::Pooled<ComboBoxItem> ComboBoxItem::literal(std::string text, std::int32_t value) {
    auto item = take();
    item->setText(std::move(text));
    item->setValue(value);
    return item;
}

s::thread::Pooled<ComboBoxItem> ComboBoxItem::byId(std::int32_t textId, std::int32_t value) {
    auto item = take();
    item->setTextId(textId);
    item->setValue(value);
    return item;
}

}  // namespace s::gui::combobox
