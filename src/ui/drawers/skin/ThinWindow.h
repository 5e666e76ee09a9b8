// s::gui::drawer::skin::ThinWindow -- the skin class of the "ThinWindow"
// drawer family: a name and fifteen drawers it owns (released with the skin,
// or when a setter replaces one).
//
//     s::thread::Pooled<ThinWindow> skin = ThinWindow::build("Classic LG", colours);
//
// build() makes every drawer from the theme's colours: the window's frame and
// background, the buttons' frames, fills and captions, the five text
// settings, and the colours of the other kinds, as the themes define them.
#pragma once

#include <string>

#include "ui/drawers/ISkin.h"
#include "ui/drawers/ThemeColours.h"

namespace s::gui::drawer::skin {

class ThinWindow : public ISkin {
    TARVEX_POOLED(ThinWindow, "s_gui_drawer_skin_ThinWindow")
public:
    ThinWindow() = default;
    ThinWindow(const ThinWindow&) = delete;
    ThinWindow& operator=(const ThinWindow&) = delete;

    // A skin named `name` with the family's fifteen drawers in these colours;
    // null only when the pools cannot create an object.
    static s::thread::Pooled<ThinWindow> build(std::string name, const ThemeColours& colours);

    // Releases the drawers and forgets the name.
    void reset() override;

    const std::string& name() const override { return name_; }
    void setName(std::string name) override { name_ = std::move(name); }

    IWindow* windowDrawer() const override { return window_.get(); }
    void setWindowDrawer(Owned<IWindow> drawer) override { window_ = std::move(drawer); }
    IButton* buttonDrawer() const override { return button_.get(); }
    void setButtonDrawer(Owned<IButton> drawer) override { button_ = std::move(drawer); }
    IText* textDrawer() const override { return text_.get(); }
    void setTextDrawer(Owned<IText> drawer) override { text_ = std::move(drawer); }
    IScrollBar* scrollBarDrawer() const override { return scrollBar_.get(); }
    void setScrollBarDrawer(Owned<IScrollBar> drawer) override { scrollBar_ = std::move(drawer); }
    ICheckBox* checkBoxDrawer() const override { return checkBox_.get(); }
    void setCheckBoxDrawer(Owned<ICheckBox> drawer) override { checkBox_ = std::move(drawer); }
    IRadioButton* radioButtonDrawer() const override { return radioButton_.get(); }
    void setRadioButtonDrawer(Owned<IRadioButton> drawer) override {
        radioButton_ = std::move(drawer);
    }
    ISlider* sliderDrawer() const override { return slider_.get(); }
    void setSliderDrawer(Owned<ISlider> drawer) override { slider_ = std::move(drawer); }
    ICounter* counterDrawer() const override { return counter_.get(); }
    void setCounterDrawer(Owned<ICounter> drawer) override { counter_ = std::move(drawer); }
    IListHeader* listHeaderDrawer() const override { return listHeader_.get(); }
    void setListHeaderDrawer(Owned<IListHeader> drawer) override {
        listHeader_ = std::move(drawer);
    }
    IListBox* listBoxDrawer() const override { return listBox_.get(); }
    void setListBoxDrawer(Owned<IListBox> drawer) override { listBox_ = std::move(drawer); }
    IStatusBar* statusBarDrawer() const override { return statusBar_.get(); }
    void setStatusBarDrawer(Owned<IStatusBar> drawer) override { statusBar_ = std::move(drawer); }
    IMenu* menuDrawer() const override { return menu_.get(); }
    void setMenuDrawer(Owned<IMenu> drawer) override { menu_ = std::move(drawer); }
    ICombo* comboDrawer() const override { return combo_.get(); }
    void setComboDrawer(Owned<ICombo> drawer) override { combo_ = std::move(drawer); }
    IGroupBox* groupBoxDrawer() const override { return groupBox_.get(); }
    void setGroupBoxDrawer(Owned<IGroupBox> drawer) override { groupBox_ = std::move(drawer); }
    ITabBox* tabBoxDrawer() const override { return tabBox_.get(); }
    void setTabBoxDrawer(Owned<ITabBox> drawer) override { tabBox_ = std::move(drawer); }

private:
    void buildDrawers(const ThemeColours& colours);

    std::string name_;
    Owned<IWindow> window_;
    Owned<IButton> button_;
    Owned<IText> text_;
    Owned<IScrollBar> scrollBar_;
    Owned<ICheckBox> checkBox_;
    Owned<IRadioButton> radioButton_;
    Owned<ISlider> slider_;
    Owned<ICounter> counter_;
    Owned<IListHeader> listHeader_;
    Owned<IListBox> listBox_;
    Owned<IStatusBar> statusBar_;
    Owned<IMenu> menu_;
    Owned<ICombo> combo_;
    Owned<IGroupBox> groupBox_;
    Owned<ITabBox> tabBox_;
};

}  // namespace s::gui::drawer::skin
