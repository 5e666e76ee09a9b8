// The main window's stored view: first start, toggling between the compact
// and the expanded view, the size kept per display class, and the options
// panel restored from and stored into the real settings database.
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "job/SizerStore.h"

namespace {

using namespace tarvex::dialogtest;
using s::job::SizerStore;

TEST(WindowViewTest, FirstStartIsCompactOnSpecificSizeAndStoresSizesOnToggleAndClose) {
    PrivateConfig config;
    WindowSession session;
    MainDialog& dialog = *session.dialog;
    EXPECT_TRUE(dialog.isCompact());
    EXPECT_EQ(dialog.window()->width(), 250);
    EXPECT_EQ(dialog.window()->height(), 250);
    EXPECT_EQ(dialog.viewSection(), "MainWindow\\View");
    EXPECT_EQ(dialog.selector()->selectedIndex(), 0);
    EXPECT_TRUE(dialog.window()->menu()->isChecked(MainDialog::kRightClickTransform));
    EXPECT_EQ(dialog.toggleButton()->text(), "Advanced Options >>");

    dialog.toggleButton()->click();
    EXPECT_FALSE(dialog.isCompact());
    EXPECT_EQ(dialog.window()->width(), 470);
    EXPECT_EQ(dialog.window()->height(), 400);
    EXPECT_EQ(dialog.toggleButton()->text(), "<< Minimize");
    {
        auto store = config.open();
        EXPECT_EQ(store->getInt32("MainWindow\\View", "SmallWidth", 0), 250);
        EXPECT_EQ(store->getInt32("MainWindow\\View", "SmallHeight", 0), 250);
        EXPECT_FALSE(store->getBool("MainWindow\\View", "CompactView", true));
    }
    dialog.window()->setSize(480, 410);
    session.close();
    auto store = config.open();
    EXPECT_EQ(store->getInt32("MainWindow\\View", "LargeWidth", 0), 480);
    EXPECT_EQ(store->getInt32("MainWindow\\View", "LargeHeight", 0), 410);

    WindowSession again;
    EXPECT_FALSE(again.dialog->isCompact());
    EXPECT_EQ(again.dialog->window()->width(), 480);
}

TEST(WindowViewTest, RightClickTogglesTheViewUnlessSwitchedOff) {
    PrivateConfig config;
    WindowSession session;
    MainDialog& dialog = *session.dialog;
    QWidget* body = dialog.window()->nativeWidget();
    const QPoint strip(body->width() / 2, dialog.window()->menuBarHeight() + 2);
    QTest::mouseClick(body, Qt::RightButton, Qt::NoModifier, strip);
    EXPECT_FALSE(dialog.isCompact());
    dialog.window()->doLayout();
    EXPECT_FALSE(dialog.isCompact()) << "a layout is no right click";
    session.chooseMenu(MainDialog::kRightClickTransform);
    EXPECT_FALSE(config.open()->getBool("MainWindow\\View", "RightClickTransform", true));
    QTest::mouseClick(body, Qt::RightButton, Qt::NoModifier, strip);
    EXPECT_FALSE(dialog.isCompact());
}

TEST(WindowViewTest, DoubleScaleUsesItsOwnSectionAndDoubleSizes) {
    PrivateConfig config;
    WindowSession session(2);
    EXPECT_EQ(session.dialog->viewSection(), "MainWindow\\View4K");
    EXPECT_EQ(session.dialog->window()->width(), 500);
    EXPECT_EQ(session.dialog->window()->height(), 500);
    session.close();
    auto store = config.open();
    EXPECT_EQ(store->getInt32("MainWindow\\View4K", "SmallWidth", 0), 500);
    EXPECT_FALSE(store->valueExists("MainWindow\\View", "SmallWidth"));
}

TEST(WindowViewTest, KeepOnTopFollowsCheckBoxMenuAndWindow) {
    PrivateConfig config;
    WindowSession session;
    MainDialog& dialog = *session.dialog;
    ASSERT_TRUE(dialog.keepOnTopBox()->isChecked()) << "on by default";
    session.chooseMenu(MainDialog::kKeepOnTop);
    EXPECT_FALSE(dialog.keepOnTopBox()->isChecked());
    EXPECT_FALSE(dialog.window()->isTopmost());
    EXPECT_FALSE(dialog.window()->menu()->isChecked(MainDialog::kKeepOnTop));
    dialog.keepOnTopBox()->setChecked(true);
    EXPECT_TRUE(dialog.window()->isTopmost());
    EXPECT_TRUE(dialog.window()->menu()->isChecked(MainDialog::kKeepOnTop));
    EXPECT_TRUE(config.open()->getBool("MainWindow\\View", "KeepOnTop", false));
}

TEST(WindowViewTest, PanelRestoresStoredStretchAndStoresFieldsAtDrop) {
    PrivateConfig config;
    {
        auto store = config.open();
        store->setString(SizerStore::kOneSpecific, "StretchMode", "onlyshrink");
        store->setInt32(SizerStore::kMultipleAtOnce, "NumOfSamples", 7);
    }
    WindowSession session;
    MainDialog& dialog = *session.dialog;
    EXPECT_TRUE(dialog.specificStretch().onlyShrink->isChecked());
    EXPECT_FALSE(dialog.specificStretch().both->isChecked());
    EXPECT_TRUE(dialog.variousStretch().both->isChecked());
    EXPECT_EQ(dialog.variousCard().numOfSamples->text(), "7");

    dialog.specificCard().pixelWidth->setText("");
    dialog.specificCard().pixelHeight->setText("12abc");
    ScratchFolder images;
    tarvex::jobtest::writeBmp(images / "a.bmp", tarvex::jobtest::solidPicture(40, 30));
    session.drop({images / "a.bmp"});
    ASSERT_TRUE(session.waitUntilIdle());
    EXPECT_EQ(dialog.sizer().pixelWidth, 800);
    EXPECT_EQ(dialog.sizer().pixelHeight, 12);
    auto store = config.open();
    EXPECT_EQ(store->getInt32(SizerStore::kOneSpecific, "PixelWidth", 0), 800);
    EXPECT_EQ(store->getInt32(SizerStore::kOneSpecific, "PixelHeight", 0), 12);
    EXPECT_EQ(store->getInt32(SizerStore::kMultipleAtOnce, "NumOfSamples", 0), 7);
    EXPECT_FALSE(store->valueExists(SizerStore::kMultipleAtOnce, "InMaximumRange"));
}

TEST(WindowViewTest, PairedRadiosInDifferentRowsUntickEachOther) {
    PrivateConfig config;
    WindowSession session;
    MainDialog& dialog = *session.dialog;
    dialog.specificCard().byPercent->userClicked();
    EXPECT_TRUE(dialog.specificCard().byPercent->isChecked());
    EXPECT_FALSE(dialog.specificCard().byPixel->isChecked());
    dialog.variousCard().maximumRange->userClicked();
    EXPECT_FALSE(dialog.variousCard().limitedRange->isChecked());
    dialog.variousCard().limitedRange->userClicked();
    EXPECT_FALSE(dialog.variousCard().maximumRange->isChecked());
}

TEST(WindowViewTest, SelectionIsStoredAsItsTextAndShowsItsCard) {
    PrivateConfig config;
    WindowSession session;
    MainDialog& dialog = *session.dialog;
    dialog.selector()->setSelectedIndex(1, true);
    EXPECT_EQ(config.open()->getString("MainWindow\\View", "ConvertTo", ""),
              "Various Sizes at Once");
    ASSERT_EQ(dialog.optionsPanel()->childCount(), 2u);
    EXPECT_TRUE(dialog.optionsPanel()->childAt(1)->isVisible());
    EXPECT_FALSE(dialog.optionsPanel()->childAt(0)->isVisible());
    session.close();
    WindowSession again;
    EXPECT_EQ(again.dialog->selector()->selectedIndex(), 1);
}

}  // namespace
