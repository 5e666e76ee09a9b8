// s::gui::drawer::ISkin -- a named set of fifteen drawers, one per kind of
// component, all built from one colour theme.
//
// Getters return the skin's drawer of that kind, or null when it has none.
// Setters hand the drawer over to the skin, which owns it from then on (and
// releases the one it replaces). Controls that take a drawer from a skin only
// borrow it: it lives as long as the skin.
//
//     s::thread::Pooled<ISkin> skin = skin::ThinWindow::build("Mine", colours);
//     IButton* buttons = skin->buttonDrawer();
#pragma once

#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/drawers/IButton.h"
#include "ui/drawers/ICheckBox.h"
#include "ui/drawers/ICombo.h"
#include "ui/drawers/ICounter.h"
#include "ui/drawers/IGroupBox.h"
#include "ui/drawers/IListBox.h"
#include "ui/drawers/IListHeader.h"
#include "ui/drawers/IMenu.h"
#include "ui/drawers/IRadioButton.h"
#include "ui/drawers/IScrollBar.h"
#include "ui/drawers/ISlider.h"
#include "ui/drawers/IStatusBar.h"
#include "ui/drawers/ITabBox.h"
#include "ui/drawers/IText.h"
#include "ui/drawers/IWindow.h"

namespace s::gui::drawer {

class ISkin : public s::base::IObject, public s::thread::IPoolable {
public:
    template <class T>
    using Owned = s::thread::Pooled<T>;

    virtual const std::string& name() const = 0;
    virtual void setName(std::string name) = 0;

    virtual IWindow* windowDrawer() const = 0;
    virtual void setWindowDrawer(Owned<IWindow> drawer) = 0;
    virtual IButton* buttonDrawer() const = 0;
    virtual void setButtonDrawer(Owned<IButton> drawer) = 0;
    virtual IText* textDrawer() const = 0;
    virtual void setTextDrawer(Owned<IText> drawer) = 0;
    virtual IScrollBar* scrollBarDrawer() const = 0;
    virtual void setScrollBarDrawer(Owned<IScrollBar> drawer) = 0;
    virtual ICheckBox* checkBoxDrawer() const = 0;
    virtual void setCheckBoxDrawer(Owned<ICheckBox> drawer) = 0;
    virtual IRadioButton* radioButtonDrawer() const = 0;
    virtual void setRadioButtonDrawer(Owned<IRadioButton> drawer) = 0;
    virtual ISlider* sliderDrawer() const = 0;
    virtual void setSliderDrawer(Owned<ISlider> drawer) = 0;
    virtual ICounter* counterDrawer() const = 0;
    virtual void setCounterDrawer(Owned<ICounter> drawer) = 0;
    virtual IListHeader* listHeaderDrawer() const = 0;
    virtual void setListHeaderDrawer(Owned<IListHeader> drawer) = 0;
    virtual IListBox* listBoxDrawer() const = 0;
    virtual void setListBoxDrawer(Owned<IListBox> drawer) = 0;
    virtual IStatusBar* statusBarDrawer() const = 0;
    virtual void setStatusBarDrawer(Owned<IStatusBar> drawer) = 0;
    virtual IMenu* menuDrawer() const = 0;
    virtual void setMenuDrawer(Owned<IMenu> drawer) = 0;
    virtual ICombo* comboDrawer() const = 0;
    virtual void setComboDrawer(Owned<ICombo> drawer) = 0;
    virtual IGroupBox* groupBoxDrawer() const = 0;
    virtual void setGroupBoxDrawer(Owned<IGroupBox> drawer) = 0;
    virtual ITabBox* tabBoxDrawer() const = 0;
    virtual void setTabBoxDrawer(Owned<ITabBox> drawer) = 0;
};

}  // namespace s::gui::drawer
