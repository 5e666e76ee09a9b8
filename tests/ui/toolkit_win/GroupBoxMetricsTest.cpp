// Group box sizes from its measured title, with a measurer whose extents the
// test knows: every character is 6 pixels wide and 13 high.
#include <gtest/gtest.h>

#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Box.h"
#include "ui/toolkit/win/GroupBox.h"
#include "ui/toolkit/win/QtTextMeasurer.h"

namespace s::gui::win {
namespace {

struct SixPixelMeasurer final : s::gui::ITextMeasurer {
    s::gui::Extent measure(const FontSetting&, std::string_view utf8, bool, int) override {
        return {static_cast<std::int32_t>(utf8.size()) * 6, 13};
    }
};

class GroupBoxMetrics : public ::testing::Test {
protected:
    void SetUp() override { s::gui::ITextMeasurer::install(&measurer_); }
    void TearDown() override { QtTextMeasurer::install(); }
    SixPixelMeasurer measurer_;
};

TEST_F(GroupBoxMetrics, TitleSetsMarginsAndMinimumSize) {
    auto group = GroupBox::take();
    group->setTitle("0123456789");  // 60 x 13
    EXPECT_EQ(group->minWidth(), 84);
    EXPECT_EQ(group->minHeight(), 18);
    EXPECT_EQ(group->marginTop(), 14);

    // A wide content minimum wins over the title.
    group->content().setFixedSize(100, 20);
    group->doLayout();
    EXPECT_EQ(group->minWidth(), 108);
    EXPECT_EQ(group->minHeight(), 38);
    EXPECT_EQ(group->content().x(), 4);
    EXPECT_EQ(group->content().y(), 14);
}

TEST_F(GroupBoxMetrics, PercentageIsTruncatedWhereABoxRounds) {
    auto parent = Box::take();
    auto& group = parent->add(GroupBox::take());
    auto& box = parent->add(Box::take());
    parent->setSize(301, 100);
    group.setPercentWidth(50);
    box.setPercentWidth(50);
    EXPECT_EQ(group.maxWidth(), 150);
    EXPECT_EQ(box.maxWidth(), 151);
}

}  // namespace
}  // namespace s::gui::win
