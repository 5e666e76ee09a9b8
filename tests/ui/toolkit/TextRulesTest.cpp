#include <gtest/gtest.h>

#include "Fakes.h"
#include "ui/toolkit/Disabler.h"
#include "ui/toolkit/Enabler.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/MenuItem.h"
#include "ui/toolkit/TextRules.h"

namespace s::gui {
namespace {

TEST(TextRules, CheckAndRadioSizesFollowTheScale) {
    struct Case {
        Extent text;
        std::int32_t scale;
        Extent check, radio;
    };
    const Case cases[] = {
        {{40, 13}, 1, {55, 13}, {58, 13}},
        {{80, 26}, 2, {118, 33}, {128, 26}},
        {{160, 52}, 4, {264, 64}, {256, 52}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        EXPECT_EQ(TextRules::checkBox(c.text, c.scale), c.check);
        EXPECT_EQ(TextRules::radioButton(c.text, c.scale), c.radio);
    }
}

TEST(FontSizeCode, CodesGiveWeightAndCharacterHeight) {
    struct Case {
        std::int32_t code, scale;
        bool applies;
        std::int32_t height, weight;
    };
    const Case cases[] = {
        {0, 1, true, -13, 400},      {0, 2, true, -27, 400},   {105, 1, true, -25, 700},
        {100001, 1, true, -11, 400}, {-9, 1, true, -1, 400},   {5000, 1, false, 0, 400},
        {1000, 1, false, 0, 400},    {95, 2, true, -13, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        s::gui::win::FontSetting font;
        EXPECT_EQ(FontSizeCode::apply(c.code, c.scale, font), c.applies);
        EXPECT_EQ(font.height, c.height);
        EXPECT_EQ(font.weight, c.weight);
    }
    EXPECT_EQ(FontSizeCode::decode(105)->size, 19);
}

TEST(TextRules, AmpersandsDoubledAndAccessibleNamesTrimmed) {
    EXPECT_EQ(TextRules::doubleAmpersands("Save & Close &&"), "Save && Close &&&&");
    EXPECT_EQ(TextRules::accessibleName("\xC2\xA0 Create: \xC2\xA0"), "Create:");
    EXPECT_EQ(TextRules::accessibleName(" \t "), "");
    EXPECT_EQ(TextRules::accessibleName("Ready"), "Ready");
}

TEST(Switches, EnablerAndDisablerActOnlyOnTheirSource) {
    auto source = testing::FakeLeaf::take();
    auto other = testing::FakeLeaf::take();
    auto target = testing::FakeLeaf::take();
    auto off = events::Disabler::take();
    auto on = events::Enabler::take();
    off->watch(*source, {4});
    off->addTarget(*target);
    on->watch(*other, {4});
    on->addTarget(*target);
    off->onEvent(*other, 4);
    EXPECT_TRUE(target->isEnabled());
    source->setPosition(1, 1);
    EXPECT_FALSE(target->isEnabled());
    other->setPosition(1, 1);
    EXPECT_TRUE(target->isEnabled());
    off.reset();  // a released switch is no longer registered
    source->setPosition(2, 2);
    EXPECT_TRUE(target->isEnabled());
}

TEST(MenuItem, FindsCommandsBelowAndKeepsLiteralTexts) {
    auto root = menuitem::MenuItem::literal("View");
    root->addChild(menuitem::MenuItem::literal("Keep on Top", 7)).setChecked(true);
    root->addChild(menuitem::MenuItem::separator());
    ASSERT_NE(root->findCommand(7), nullptr);
    EXPECT_TRUE(root->findCommand(7)->isCheckable());
    EXPECT_EQ(root->findCommand(8), nullptr);
    EXPECT_EQ(root->relabel(), "View");
}

}  // namespace
}  // namespace s::gui
