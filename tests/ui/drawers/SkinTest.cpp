// Skins built from colour themes, and the skinner that selects them and tells
// its listeners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Canvas.h"
#include "ui/drawers/SkinFont.h"
#include "ui/drawers/Skinner.h"
#include "ui/drawers/ThinWindowThemes.h"
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
#include "ui/drawers/skin/ThinWindow.h"
#include "ui/drawers/slider/Thin.h"
#include "ui/drawers/statusbar/Thin.h"
#include "ui/drawers/tabbox/Thin.h"
#include "ui/drawers/text/Basic.h"
#include "ui/drawers/window/Thin.h"

namespace s::gui::drawer {
namespace {

using s::gui::win::FontSetting;
using test::Canvas;

// Records every event it hears and, like a control, takes the new skin's
// button drawer when told.
class RecordingListener : public s::gui::events::IEventListener {
public:
    RecordingListener(std::vector<std::string>& log, std::string name)
        : log_(log), name_(std::move(name)) {}
    void onEvent(s::base::IObject& source, std::int32_t kind) override {
        auto* skinner = dynamic_cast<Skinner*>(&source);
        ASSERT_NE(skinner, nullptr);
        log_.push_back(name_ + ":" + std::to_string(kind) + ":" + skinner->currentSkin()->name());
        button = skinner->currentSkin()->buttonDrawer();
    }
    IButton* button = nullptr;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(ThinWindowSkinner, HoldsTheSixteenThemesInListOrder) {
    auto skinner = Skinner::newThinWindowSkinner();
    const std::vector<std::string> expected = {
        "White",      "Ivory",  "Black",    "Black II", "Black Black", "Black Black II",
        "Classic LG", "Beige",  "Sky Blue", "Pink",     "Salmon Red",  "Yellow",
        "Green",      "Orange", "Khaki",    "Indigo"};
    EXPECT_EQ(skinner->family(), "ThinWindow");
    EXPECT_EQ(skinner->names(), expected);
    ASSERT_EQ(skinner->skinCount(), 16);
    for (std::int32_t i = 0; i < 16; ++i) {
        EXPECT_EQ(skinner->skinAt(i)->name(), expected[static_cast<std::size_t>(i)]);
        EXPECT_STREQ(skinner->skinAt(i)->getClassName(), "s_gui_drawer_skin_ThinWindow");
    }
    EXPECT_EQ(skinner->currentSkin(), nullptr) << "no skin is current before the first select";
}

TEST(ThinWindowSkinner, FindsWholeNamesIgnoringCaseAndFallsBackToWhite) {
    auto skinner = Skinner::newThinWindowSkinner();
    const std::pair<const char*, const char*> cases[] = {
        {"Classic LG", "Classic LG"},
        {"cLASSIC lg", "Classic LG"},
        {"black black ii", "Black Black II"},
        {"Classic", "White"},
        {"Classic LG ", "White"},
        {"", "White"},
        {"Nonexistent", "White"},
    };
    for (const auto& [asked, selected] : cases) {
        skinner->selectSkin(asked);
        ASSERT_NE(skinner->currentSkin(), nullptr);
        EXPECT_EQ(skinner->currentSkin()->name(), selected) << "asked for '" << asked << "'";
    }
    EXPECT_EQ(skinner->findSkin("classic lg"), 6);
    EXPECT_EQ(skinner->findSkin("Black Blac"), -1);
}

TEST(ThinWindowSkinner, TellsListenersOnlyWhenTheCurrentSkinChanges) {
    auto skinner = Skinner::newThinWindowSkinner();
    std::vector<std::string> log;
    RecordingListener window(log, "window"), button(log, "button"), gone(log, "gone");
    skinner->addListener(&window);
    skinner->addListener(&button);
    skinner->addListener(&button);  // registering twice tells it once
    skinner->addListener(&gone);
    skinner->removeListener(&gone);

    skinner->selectSkin("Classic LG");
    skinner->selectSkin("classic lg");  // the same skin: nobody hears of it
    skinner->selectSkin("Pink");
    skinner->selectSkin("unknown");  // White
    skinner->selectSkin("white");
    EXPECT_EQ(log, (std::vector<std::string>{"window:0:Classic LG", "button:0:Classic LG",
                                             "window:0:Pink", "button:0:Pink", "window:0:White",
                                             "button:0:White"}));
    EXPECT_EQ(button.button, skinner->currentSkin()->buttonDrawer());
}

TEST(ThinWindowSkinner, ListenerMayRemoveItselfWhileBeingTold) {
    auto skinner = Skinner::newThinWindowSkinner();
    std::vector<std::string> log;
    struct Leaving : s::gui::events::IEventListener {
        Skinner* skinner = nullptr;
        int told = 0;
        void onEvent(s::base::IObject&, std::int32_t) override {
            ++told;
            skinner->removeListener(this);
        }
    } leaving;
    leaving.skinner = skinner.get();
    RecordingListener after(log, "after");
    skinner->addListener(&leaving);
    skinner->addListener(&after);
    skinner->selectSkin("Ivory");
    skinner->selectSkin("Beige");
    EXPECT_EQ(leaving.told, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"after:0:Ivory", "after:0:Beige"}));
}

TEST(ThinWindowSkinner, ReleasedSkinnerGivesBackItsSkinsAndForgetsEverything) {
    auto& skinPool = skin::ThinWindow::pool();
    auto skinner = Skinner::newThinWindowSkinner();
    std::vector<std::string> log;
    RecordingListener listener(log, "l");
    skinner->addListener(&listener);
    skinner->selectSkin("Indigo");
    log.clear();
    const std::size_t freeSkins = skinPool.freeCount();
    skinner.reset();
    EXPECT_EQ(skinPool.freeCount(), freeSkins + 16);

    auto again = Skinner::take();  // the pool hands back the same, reset object
    EXPECT_EQ(again->family(), "Basic");
    EXPECT_EQ(again->skinCount(), 0);
    EXPECT_EQ(again->currentSkin(), nullptr);
    again->selectSkin("White");  // nothing to select, and no listener left to tell
    EXPECT_EQ(again->currentSkin(), nullptr);
    again->notifyListeners();
    EXPECT_TRUE(log.empty());
}

TEST(ClassicLgSkin, PaintsTheAboutWindowsDefaultLook) {
    auto skinner = Skinner::newThinWindowSkinner();
    skinner->selectSkin("Classic LG");
    ISkin& skin = *skinner->currentSkin();

    Canvas window(30, 20);
    window.paint([&](QPainter& p) { skin.windowDrawer()->paint(p, 0, 0, 30, 20); });
    EXPECT_EQ(window.at(0, 0), 0x111111u);
    EXPECT_EQ(window.at(29, 19), 0x111111u);
    EXPECT_EQ(window.at(15, 10), 0x747474u);

    const IText& text = *skin.textDrawer();
    EXPECT_EQ(text.setting(TextSetting::Normal).textColour, Rgb::hex(0xFFFFFF));
    EXPECT_EQ(text.setting(TextSetting::Disabled).textColour, Rgb::hex(0x565656));
    EXPECT_EQ(text.setting(TextSetting::LinkHover).textColour, Rgb::hex(0x111111));

    // A label drawn with a plain control font shows the skin's text colour.
    Canvas label(60, 60, 0x747474);
    const FontSetting labelFont =
        withSkinSetting(test::sharpFont(40), text.setting(TextSetting::Normal));
    label.paint([&](QPainter& p) { text.paint(p, 0, 0, 60, 60, "I", labelFont, 0); });
    EXPECT_GT(label.pixelsOf(0xFFFFFF).size(), 20u);

    Canvas button(40, 20);
    button.paint(
        [&](QPainter& p) { skin.buttonDrawer()->paint(p, 0, 0, 40, 20, ButtonFace{"#X"}); });
    EXPECT_EQ(button.at(0, 0), 0x111111u);
    EXPECT_EQ(button.at(39, 10), 0x111111u);
    EXPECT_FALSE(button.pixelsOf(0xFFFFFF).empty()) << "the cross is drawn in the caption colour";
}

// A theme whose fifteen colours all differ shows which colour each drawer took.
ThemeColours distinctTheme() {
    ThemeColours c;
    Rgb* fields[] = {&c.background, &c.windowFrame, &c.disabled,  &c.line,       &c.groupLine,
                     &c.normalText, &c.outlineText, &c.barFill,   &c.activeFill, &c.activeText,
                     &c.listFill,   &c.listText,    &c.listFill2, &c.counter1,   &c.counter2};
    std::uint32_t n = 1;
    for (Rgb* field : fields) *field = Rgb::hex(0x010101 * n++);
    return c;
}

Rgb themeColour(std::uint32_t number) {
    return Rgb::hex(0x010101 * number);
}

TEST(ThinWindowSkin, BuildsEveryDrawerFromItsThemeColours) {
    auto skin = skin::ThinWindow::build("Test", distinctTheme());
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->name(), "Test");

    auto* window = dynamic_cast<window::win::Thin*>(skin->windowDrawer());
    ASSERT_NE(window, nullptr);
    Rgb background;
    ASSERT_TRUE(window->background(background));
    EXPECT_EQ(background, themeColour(1));
    EXPECT_EQ(window->frameColour(), themeColour(2));
    EXPECT_EQ(window->topCorners(), window::win::Thin::Square);
    EXPECT_EQ(window->bottomCorners(), window::win::Thin::Square);

    auto* button = dynamic_cast<button::win::Thin*>(skin->buttonDrawer());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->colours().frame, themeColour(4));
    EXPECT_EQ(button->colours().disabledFrame, themeColour(3));
    EXPECT_EQ(button->colours().switchedOnFrame, themeColour(4));
    EXPECT_EQ(button->colours().switchedOnFill, themeColour(9));
    EXPECT_EQ(button->captionSetting(button::win::Thin::CaptionNormal).textColour, themeColour(6));
    EXPECT_EQ(button->captionSetting(button::win::Thin::CaptionDisabled).textColour,
              themeColour(3));
    EXPECT_EQ(button->captionSetting(button::win::Thin::CaptionSwitchedOn).textColour,
              themeColour(10));

    const IText& text = *skin->textDrawer();
    EXPECT_EQ(text.setting(TextSetting::Normal).textColour, themeColour(6));
    EXPECT_EQ(text.setting(TextSetting::Normal).secondColour, themeColour(1));
    EXPECT_EQ(text.setting(TextSetting::Normal).thirdColour, themeColour(7));
    EXPECT_EQ(text.setting(TextSetting::Disabled).textColour, themeColour(3));
    EXPECT_EQ(text.setting(TextSetting::Link).textColour, themeColour(6));
    EXPECT_EQ(text.setting(TextSetting::LinkHover).textColour, themeColour(4));
    EXPECT_EQ(text.setting(TextSetting::LinkPressed).textColour, text::win::Basic::kLinkText);

    const auto& scroll = dynamic_cast<scrollbar::win::Thin&>(*skin->scrollBarDrawer()).colours();
    EXPECT_EQ(scroll.line, themeColour(4));
    EXPECT_EQ(scroll.bar, themeColour(8));
    const auto expectToggle = [](const auto& colours) {
        EXPECT_EQ(colours.line, themeColour(4));
        EXPECT_EQ(colours.text, themeColour(6));
        EXPECT_EQ(colours.disabled, themeColour(3));
    };
    expectToggle(dynamic_cast<checkbox::win::Thin&>(*skin->checkBoxDrawer()).colours());
    expectToggle(dynamic_cast<radiobutton::win::Thin&>(*skin->radioButtonDrawer()).colours());
    const auto& slider = dynamic_cast<slider::win::Thin&>(*skin->sliderDrawer()).colours();
    EXPECT_EQ(slider.line, themeColour(4));
    EXPECT_EQ(slider.bar, themeColour(8));
    EXPECT_EQ(slider.disabled, themeColour(3));
    const auto& counter = dynamic_cast<counter::win::Basic&>(*skin->counterDrawer()).colours();
    EXPECT_EQ(counter.plate, themeColour(14));
    EXPECT_EQ(counter.digits, themeColour(15));
    const auto& header = dynamic_cast<listheader::win::Thin&>(*skin->listHeaderDrawer()).colours();
    EXPECT_EQ(header.line, themeColour(4));
    EXPECT_EQ(header.fill, themeColour(9));
    EXPECT_EQ(header.text, themeColour(10));
    const auto& list = dynamic_cast<listbox::win::Thin&>(*skin->listBoxDrawer()).colours();
    EXPECT_EQ(list.fill, themeColour(11));
    EXPECT_EQ(list.text, themeColour(12));
    EXPECT_EQ(list.selectedFill, themeColour(9));
    EXPECT_EQ(list.selectedText, themeColour(10));
    EXPECT_EQ(list.fill2, themeColour(13));
    EXPECT_EQ(dynamic_cast<statusbar::win::Thin&>(*skin->statusBarDrawer()).lineColour(),
              themeColour(4));
    const auto& menu = dynamic_cast<menu::win::Basic&>(*skin->menuDrawer());
    EXPECT_EQ(menu.colours().text, themeColour(6));
    EXPECT_EQ(menu.colours().line, themeColour(4));
    EXPECT_EQ(menu.colours().background, themeColour(1));
    EXPECT_EQ(menu.accents().text, themeColour(6));
    EXPECT_EQ(menu.accents().mark, themeColour(6));
    EXPECT_EQ(menu.accents().line, themeColour(4));
    const auto& combo = dynamic_cast<combo::win::Thin&>(*skin->comboDrawer()).colours();
    EXPECT_EQ(combo.text, themeColour(6));
    EXPECT_EQ(combo.line, themeColour(4));
    EXPECT_EQ(combo.arrow, themeColour(6));
    const IGroupBox& group = *skin->groupBoxDrawer();
    EXPECT_EQ((Rgb{group.red(), group.green(), group.blue()}), themeColour(5));
    EXPECT_EQ(group.titleSetting(true).textColour, themeColour(6));
    EXPECT_EQ(group.titleSetting(false).textColour, themeColour(6));
    auto& tabs = dynamic_cast<tabbox::win::Thin&>(*skin->tabBoxDrawer());
    EXPECT_EQ(tabs.lineColour(), themeColour(4));
    for (auto which : {tabbox::win::Thin::CaptionNormal, tabbox::win::Thin::CaptionSelected,
                       tabbox::win::Thin::CaptionDisabled}) {
        EXPECT_EQ(tabs.captionSetting(which).textColour, themeColour(6));
    }
}

}  // namespace
}  // namespace s::gui::drawer
