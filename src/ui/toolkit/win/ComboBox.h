// s::gui::win::ComboBox -- a drop-down list (QComboBox, not editable) of
// ComboBoxItem entries whose texts follow the language. A change of the
// selection raises kind 0 (by the user, or by setSelectedIndex with notify).
// The accessible name is the label in front of it: the window builder sets
// it with setAccessibleName.
#pragma once

#include <vector>

#include "ui/toolkit/win/ComboBoxItem.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class ComboBox : public NativeComponent<s::gui::Component> {
    TARVEX_POOLED(ComboBox, "s_gui_win_ComboBox")
public:
    static constexpr std::int32_t kSelectionChanged = 0;

    ~ComboBox() override;
    void reset() override;

    s::gui::combobox::ComboBoxItem& addItem(s::thread::Pooled<s::gui::combobox::ComboBoxItem> item);
    void removeAllItems();
    std::size_t itemCount() const { return items_.size(); }
    s::gui::combobox::ComboBoxItem* itemAt(std::size_t i) const;
    // -1 when nothing is selected.
    std::int32_t selectedIndex() const { return selected_; }
    void setSelectedIndex(std::int32_t index, bool notify = false);
    void setFont(const FontSetting& font);
    void setSizeCode(std::int32_t code);
    void setEditable(bool on) override { Component::setEnabled(on); }
    void relabel() override;
    void addSelectionListener(s::gui::events::IEventListener* l) {
        addListener(kSelectionChanged, l);
    }
    void measure();
    // The widget reports a user selection here.
    void userSelected(std::int32_t index);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;

private:
    void fillWidget();
    std::vector<s::gui::combobox::ComboBoxItem*> items_;
    std::int32_t selected_ = -1;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    bool filling_ = false;
};

}  // namespace s::gui::win
