// A window with every control, laid out at display scale 1 and 2 and saved
// as a picture (screenshots/toolkit-demo-<scale>.png beside the test
// program) for a look by eye; the test itself checks that no control is cut
// by its parent or overlaps a sibling.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include "ui/drawers/border/Plain.h"
#include "ui/drawers/border/UnderWindowMenu.h"
#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/win/Box.h"
#include "ui/toolkit/win/Button.h"
#include "ui/toolkit/win/CheckBox.h"
#include "ui/toolkit/win/ComboBox.h"
#include "ui/toolkit/win/GroupBox.h"
#include "ui/toolkit/win/Label.h"
#include "ui/toolkit/win/MenuEx.h"
#include "ui/toolkit/win/ProgressBar.h"
#include "ui/toolkit/win/RadioButton.h"
#include "ui/toolkit/win/Spacer.h"
#include "ui/toolkit/win/StatusBar.h"
#include "ui/toolkit/win/TextField.h"
#include "ui/toolkit/win/Window.h"

namespace s::gui::win {
namespace {

using s::gui::menuitem::MenuItem;

Box& row(Container& parent, std::int32_t gap) {
    auto& box = parent.add(Box::take());
    box.setRow();
    box.alignMiddle();
    box.setSpacingX(gap);
    return box;
}

void build(Window& window, std::int32_t d) {
    auto menu = MenuEx::take();
    auto& view = menu->addMenu(MenuItem::literal("View"));
    view.addChild(MenuItem::literal("Keep on Top", 1)).setChecked(true);
    view.addChild(MenuItem::separator());
    view.addChild(MenuItem::literal("Easy Drag", 2)).setChecked(false);
    menu->addMenu(MenuItem::literal("Language")).addChild(MenuItem::literal("English", 3));
    window.setMenu(std::move(menu));
    window.setTitle("Toolkit demonstration");

    auto& strip = window.add(Box::take());
    strip.setFixedHeight(7 * d);
    strip.setPercentWidth(100);
    auto etched = s::gui::drawer::border::win::UnderWindowMenu::take();
    strip.setDrawer(etched.release(), true);

    auto& body = window.add(Box::take());
    body.setMargins(6 * d);
    body.setSpacingY(6 * d);
    body.fill();

    auto& texts = row(body, 8 * d);
    texts.add(Label::take()).setText("Plain label & more");
    auto& link = texts.add(Label::take());
    link.setText("zorq");
    link.setLink(true);
    texts.add(Button::take()).setText("Save & Close");

    auto& choices = row(body, 8 * d);
    choices.add(CheckBox::take()).setText("Keep on Top");
    auto& pixels = choices.add(RadioButton::take());
    pixels.setText("Pixels");
    pixels.setChecked(true);
    choices.add(RadioButton::take()).setText("Percent");

    auto& fields = row(body, 4 * d);
    fields.add(Label::take()).setText("Create: ");
    auto& samples = fields.add(TextField::take());
    samples.setText("12");
    samples.setAccessibleName("Create:");
    auto& kernel = fields.add(ComboBox::take());
    kernel.addItem(s::gui::combobox::ComboBoxItem::literal("Lanczos 3"));
    kernel.addItem(s::gui::combobox::ComboBoxItem::literal("Bilinear"));
    kernel.setSelectedIndex(0);
    kernel.setAccessibleName("Filter");

    auto& panel = body.add(Box::take());
    panel.setWhite(false);
    panel.setMargins(4 * d);
    auto plain = s::gui::drawer::border::win::Plain::take();
    plain->setColour(0x91, 0x9B, 0x9C);
    panel.setDrawer(plain.release(), true);
    auto& group = panel.add(GroupBox::take());
    group.setTitle("Drop Box");
    group.setFrameColour(Rgb::hex(0x919B9C));
    group.setPercentWidth(100);
    group.content().alignCentre();
    group.content().add(Label::take()).setText("Please drop image file(s) here!");
    group.content().add(Spacer::make(0, 20 * d));

    auto& bar = window.add(StatusBar::take());
    bar.setSpacingX(4 * d);
    bar.setMarginsHorizontal(4 * d);
    bar.add(Label::take()).setText("Ready");
    auto& progress = bar.add(ProgressBar::take());
    progress.setFixedSize(80 * d, 14 * d);
    progress.setRange(0, 10);
    progress.setPosition(4);
    progress.setAccessibleName("Progress");
    bar.add(Button::take()).setText("Cancel");
    auto& grip = bar.add(Button::take());
    grip.setText(Button::kResizer);
    grip.setAccessibleName("Resize Window");
}

// Every child lies inside its parent and overlaps no visible sibling.
void expectNoClipOrOverlap(const Component& node, const std::string& path) {
    if (!node.isContainer()) return;
    const auto& kids = static_cast<const Container&>(node).children();
    for (std::size_t i = 0; i < kids.size(); ++i) {
        const Component& a = *kids[i];
        if (!a.isVisible() || a.width() == 0 || a.height() == 0) continue;
        const std::string name = path + "/" + a.getClassName() + "#" + std::to_string(i);
        EXPECT_GE(a.x() + a.offsetX(), 0) << name;
        EXPECT_GE(a.y() + a.offsetY(), 0) << name;
        EXPECT_LE(a.x() + a.offsetX() + a.width(), node.width()) << name;
        EXPECT_LE(a.y() + a.offsetY() + a.height(), node.height()) << name;
        EXPECT_GE(a.width(), a.minWidth()) << name;
        EXPECT_GE(a.height(), a.minHeight()) << name;
        for (std::size_t j = i + 1; j < kids.size(); ++j) {
            const Component& b = *kids[j];
            if (!b.isVisible() || b.width() == 0 || b.height() == 0) continue;
            const bool apart = a.x() + a.width() <= b.x() || b.x() + b.width() <= a.x() ||
                               a.y() + a.height() <= b.y() || b.y() + b.height() <= a.y();
            EXPECT_TRUE(apart) << name << " overlaps #" << j;
        }
        expectNoClipOrOverlap(a, name);
    }
}

class DemoWindow : public ::testing::TestWithParam<std::int32_t> {
protected:
    void TearDown() override { s::gui::DisplayScale::set(1); }
};

TEST_P(DemoWindow, EveryControlFitsAtTheDisplayScale) {
    const std::int32_t d = GetParam();
    s::gui::DisplayScale::set(d);
    auto window = Window::take();
    build(*window, d);
    ASSERT_TRUE(window->create());
    window->doLayout();
    const std::int32_t w = std::max(window->minWidth(), 360 * d);
    const std::int32_t h = window->minHeight() + window->childAt(2)->effectiveMaxHeight();
    window->setBounds(0, 0, w, h);
    window->show();
    expectNoClipOrOverlap(*window, "window");

    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    const QString file = folder + QString("/toolkit-demo-%1.png").arg(d);
    EXPECT_TRUE(window->nativeWidget()->grab().save(file)) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Scales, DemoWindow, ::testing::Values(1, 2));

}  // namespace
}  // namespace s::gui::win
