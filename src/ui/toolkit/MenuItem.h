// s::gui::menuitem::MenuItem -- one entry of a menu: a text (literal or by
// language id, looked up at once and again on every language change), a
// command id (-1 when none), a separator flag and a check mark. An entry
// with children is a sub-menu (the menu bar's top-level entries are such).
// The menus of s::gui::win (MenuEx, PopupMenu) are built from these; a
// chosen entry raises its command id to the owner window's listeners.
//
//     auto view = MenuItem::take();
//     view->setTextId(localizer, 609000);
//     view->addChild(MenuItem::make(localizer, 609100, 1001)).setChecked(true);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/LocalText.h"

namespace s::gui::menuitem {

class MenuItem final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(MenuItem, "s_gui_menuitem_MenuItem")
public:
    static constexpr std::int32_t kNoCommand = -1;

    ~MenuItem() override;
    void reset() override;

    // An entry whose text is the localizer's text for textId.
    static s::thread::Pooled<MenuItem> make(s::lang::Localizer* localizer, std::int32_t textId,
                                            std::int32_t commandId = kNoCommand);
    // An entry with a literal text.
    static s::thread::Pooled<MenuItem> literal(std::string text,
                                               std::int32_t commandId = kNoCommand);
    static s::thread::Pooled<MenuItem> separator();

    void setTextId(s::lang::Localizer* localizer, std::int32_t textId);
    void setText(std::string text);
    const std::string& text() const { return text_.text(); }
    std::int32_t textId() const { return text_.id(); }
    // Looks the text up again (ids only); returns it.
    const std::string& relabel();
    s::lang::Localizer* localizer() const { return localizer_; }

    std::int32_t commandId() const { return commandId_; }
    void setCommandId(std::int32_t id) { commandId_ = id; }
    bool isSeparator() const { return separator_; }
    void setSeparator(bool on) { separator_ = on; }
    bool isChecked() const { return checked_; }
    // Setting a check mark makes the entry checkable.
    void setChecked(bool on) { checked_ = on, checkable_ = true; }
    bool isCheckable() const { return checkable_; }
    void setCheckable(bool on) { checkable_ = on; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }

    // Sub-entries, owned, in order.
    MenuItem& addChild(s::thread::Pooled<MenuItem> child);
    std::size_t childCount() const { return children_.size(); }
    MenuItem* childAt(std::size_t i) const { return i < children_.size() ? children_[i] : nullptr; }
    // The entry with this command id here or below, or null.
    MenuItem* findCommand(std::int32_t commandId);
    void removeChildren();

private:
    s::lang::Localizer* localizer_ = nullptr;
    s::gui::LocalText text_;
    std::int32_t commandId_ = kNoCommand;
    bool separator_ = false;
    bool checked_ = false;
    bool checkable_ = false;
    bool enabled_ = true;
    std::vector<MenuItem*> children_;
};

}  // namespace s::gui::menuitem
