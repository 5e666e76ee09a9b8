#include "ui/drawers/skin/ThinWindow.h"

#include "ui/drawers/button/Thin.h"
#include "ui/drawers/checkbox/Thin.h"
#include "ui/drawers/combo/Thin.h"
#include "ui/drawers/counter/Basic.h"
#include "ui/drawers/groupbox/Thin.h"
#include "ui/drawers/listbox/Thin.h"
#include "ui/drawers/listheader/Thin.h"
#include "ui/drawers/menu/Basic.h"
#include "ui/drawers/radiobutton/Thin.h"
#include "ui/drawers/scrollbar/Thin.h"
#include "ui/drawers/slider/Thin.h"
#include "ui/drawers/statusbar/Thin.h"
#include "ui/drawers/tabbox/Thin.h"
#include "ui/drawers/text/Basic.h"
#include "ui/drawers/window/Thin.h"

namespace s::gui::drawer::skin {

using s::gui::Rgb;
using s::gui::win::FontSetting;

namespace {

auto makeWindow(const ThemeColours& c) {
    auto drawer = window::win::Thin::take();
    if (drawer) {
        drawer->setFrameColour(c.windowFrame);
        drawer->setBackground(c.background);
        drawer->setCornerStyles(window::win::Thin::Square, window::win::Thin::Square);
    }
    return drawer;
}

auto makeButton(const ThemeColours& c) {
    auto drawer = button::win::Thin::take();
    if (drawer) {
        drawer->setColours({c.line, c.disabled, c.line, c.activeFill});
        drawer->captionSetting(button::win::Thin::CaptionNormal).setTextColour(c.normalText);
        drawer->captionSetting(button::win::Thin::CaptionDisabled).setTextColour(c.disabled);
        drawer->captionSetting(button::win::Thin::CaptionSwitchedOn).setTextColour(c.activeText);
    }
    return drawer;
}

auto makeText(const ThemeColours& c) {
    auto drawer = text::win::Basic::take();
    if (drawer) {
        FontSetting& normal = drawer->setting(TextSetting::Normal);
        normal.setTextColour(c.normalText);
        normal.setSecondColour(c.background);
        normal.setThirdColour(c.outlineText);
        drawer->setting(TextSetting::Disabled).setTextColour(c.disabled);
        drawer->setting(TextSetting::Link).setTextColour(c.normalText);
        drawer->setting(TextSetting::LinkHover).setTextColour(c.line);
    }
    return drawer;
}

auto makeGroupBox(const ThemeColours& c) {
    auto drawer = groupbox::win::Thin::take();
    if (drawer) {
        drawer->setColour(c.groupLine.r, c.groupLine.g, c.groupLine.b);
        drawer->titleSetting(true).setTextColour(c.normalText);
        drawer->titleSetting(false).setTextColour(c.normalText);
    }
    return drawer;
}

auto makeTabBox(const ThemeColours& c) {
    auto drawer = tabbox::win::Thin::take();
    if (drawer) {
        drawer->setLineColour(c.line);
        for (auto which : {tabbox::win::Thin::CaptionNormal, tabbox::win::Thin::CaptionSelected,
                           tabbox::win::Thin::CaptionDisabled}) {
            drawer->captionSetting(which).setTextColour(c.normalText);
        }
    }
    return drawer;
}

// Takes a drawer from its pool and gives it one set of colours.
template <class Drawer>
s::thread::Pooled<Drawer> coloured(const typename Drawer::Colours& colours) {
    auto drawer = Drawer::take();
    if (drawer) drawer->setColours(colours);
    return drawer;
}

}  // namespace

s::thread::Pooled<ThinWindow> ThinWindow::build(std::string name, const ThemeColours& colours) {
    auto skin = ThinWindow::take();
    if (!skin) return skin;
    skin->setName(std::move(name));
    skin->buildDrawers(colours);
    return skin;
}

void ThinWindow::buildDrawers(const ThemeColours& c) {
    setWindowDrawer(makeWindow(c));
    setButtonDrawer(makeButton(c));
    setTextDrawer(makeText(c));
    setScrollBarDrawer(coloured<scrollbar::win::Thin>({c.line, c.barFill}));
    setCheckBoxDrawer(coloured<checkbox::win::Thin>({c.line, c.normalText, c.disabled}));
    setRadioButtonDrawer(coloured<radiobutton::win::Thin>({c.line, c.normalText, c.disabled}));
    setSliderDrawer(coloured<slider::win::Thin>({c.line, c.barFill, c.disabled}));
    setCounterDrawer(coloured<counter::win::Basic>({c.counter1, c.counter2}));
    setListHeaderDrawer(coloured<listheader::win::Thin>({c.line, c.activeFill, c.activeText}));
    setListBoxDrawer(coloured<listbox::win::Thin>(
        {c.listFill, c.listText, c.activeFill, c.activeText, c.listFill2}));
    auto statusBar = statusbar::win::Thin::take();
    if (statusBar) statusBar->setLineColour(c.line);
    setStatusBarDrawer(std::move(statusBar));
    auto menu = coloured<menu::win::Basic>({c.normalText, c.line, c.background});
    if (menu) menu->setAccents({c.normalText, c.normalText, c.line});
    setMenuDrawer(std::move(menu));
    setComboDrawer(coloured<combo::win::Thin>({c.normalText, c.line, c.normalText}));
    setGroupBoxDrawer(makeGroupBox(c));
    setTabBoxDrawer(makeTabBox(c));
}

void ThinWindow::reset() {
    name_.clear();
    window_.reset();
    button_.reset();
    text_.reset();
    scrollBar_.reset();
    checkBox_.reset();
    radioButton_.reset();
    slider_.reset();
    counter_.reset();
    listHeader_.reset();
    listBox_.reset();
    statusBar_.reset();
    menu_.reset();
    combo_.reset();
    groupBox_.reset();
    tabBox_.reset();
}

}  // namespace s::gui::drawer::skin
