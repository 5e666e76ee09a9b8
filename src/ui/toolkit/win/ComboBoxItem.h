// s::gui::combobox::ComboBoxItem -- one entry of a combo box: a text
// (literal or language id, re-read on language change) and an integer the
// window may attach (for example the value the entry stands for).
#pragma once

#include <cstdint>
#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/LocalText.h"

namespace s::gui::combobox {

class ComboBoxItem final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(ComboBoxItem, "s_gui_combobox_ComboBoxItem")
public:
    void reset() override { text_.clear(), value_ = 0; }

    static s::thread::Pooled<ComboBoxItem> literal(std::string text, std::int32_t value = 0);
    static s::thread::Pooled<ComboBoxItem> byId(std::int32_t textId, std::int32_t value = 0);

    const std::string& text() const { return text_.text(); }
    std::int32_t textId() const { return text_.id(); }
    const std::string& relabel(s::lang::Localizer* localizer) { return text_.resolve(localizer); }
    std::int32_t value() const { return value_; }
    void setValue(std::int32_t v) { value_ = v; }
    void setText(std::string text) { text_.setLiteral(std::move(text)); }
    void setTextId(std::int32_t id) { text_.setId(id); }

private:
    s::gui::LocalText text_;
    std::int32_t value_ = 0;
};

}  // namespace s::gui::combobox
