#include <gtest/gtest.h>

#include "FrameFixture.h"

namespace {

using s::app::win::AppWindow;

class AppWindowTest : public s::app::test::FrameFixture {};

TEST_F(AppWindowTest, ScaleFactorPicksTheViewSectionAndDefaultSize) {
    struct Case {
        std::int32_t scale;
        const char* section;
        std::int32_t size;
    };
    const Case cases[] = {{1, "View", 250}, {2, "View4K", 500}, {4, "View8K", 1000}};
    for (const Case& c : cases) {
        AppWindow& window = makeWindow(c.scale);
        EXPECT_EQ(window.viewSection(), c.section);
        EXPECT_EQ(window.width(), c.size);
        EXPECT_EQ(window.height(), c.size);
        window.setWidth(c.size + 1);
    }
    // Each display class kept its own geometry.
    EXPECT_EQ(store().getInt32("MainWindow\\View", "Width", 0), 251);
    EXPECT_EQ(store().getInt32("MainWindow\\View4K", "Width", 0), 501);
    EXPECT_EQ(store().getInt32("MainWindow\\View8K", "Width", 0), 1001);
}

TEST_F(AppWindowTest, StoredMiddleClickActionIsNormalisedAtCreation) {
    struct Case {
        const char* stored;
        const char* canonical;
        AppWindow::MiddleClick action;
    };
    const Case cases[] = {
        {"iconize", "Iconize", AppWindow::MiddleClick::Iconize},
        {"CLOSE", "Close", AppWindow::MiddleClick::Close},
        {"doNOTHING", "DoNothing", AppWindow::MiddleClick::DoNothing},
        {"foo", "DoNothing", AppWindow::MiddleClick::DoNothing},
        {"", "DoNothing", AppWindow::MiddleClick::DoNothing},
        {"Close ", "DoNothing", AppWindow::MiddleClick::DoNothing},
    };
    for (const Case& c : cases) {
        store().setString(kView, "OnMClick", c.stored);
        AppWindow& window = makeWindow();
        EXPECT_EQ(store().getString(kView, "OnMClick", "?"), c.canonical) << c.stored;
        EXPECT_EQ(window.middleClickAction(), c.action) << c.stored;
        EXPECT_EQ(window.isMiddleClickIconize(), c.action == AppWindow::MiddleClick::Iconize);
        EXPECT_EQ(window.isMiddleClickClose(), c.action == AppWindow::MiddleClick::Close);
    }
}

TEST_F(AppWindowTest, MiddleClickDefaultsToCloseAndIsStoredOnlyWhenChanged) {
    AppWindow& window = makeWindow();
    EXPECT_FALSE(store().valueExists(kView, "OnMClick"));
    EXPECT_TRUE(window.isMiddleClickClose());

    window.setMiddleClickAction(AppWindow::MiddleClick::Close);
    EXPECT_TRUE(store().writes.empty());
    window.setMiddleClickAction(AppWindow::MiddleClick::Iconize);
    EXPECT_EQ(store().writes, (std::vector<std::string>{"MainWindow\\View/OnMClick"}));
    EXPECT_TRUE(window.isMiddleClickIconize());
}

TEST_F(AppWindowTest, ViewSwitchesHaveTheirDefaults) {
    AppWindow& window = makeWindow();
    EXPECT_TRUE(window.easyDrag());
    EXPECT_TRUE(window.keepOnTop());
    EXPECT_FALSE(window.maximized());
    window.setKeepOnTop(false);
    window.setEasyDrag(false);
    EXPECT_FALSE(store().getBool(kView, "KeepOnTop", true));
    EXPECT_FALSE(store().getBool(kView, "EasyDrag", true));
}

TEST_F(AppWindowTest, SizeValidityAgainstTheVirtualScreen) {
    const s::app::Rect screen{-1920, 0, 3840, 1080};
    EXPECT_FALSE(AppWindow::isWidthValid(9, screen));
    EXPECT_TRUE(AppWindow::isWidthValid(10, screen));
    EXPECT_TRUE(AppWindow::isWidthValid(3840, screen));
    EXPECT_FALSE(AppWindow::isWidthValid(3841, screen));
    EXPECT_TRUE(AppWindow::isHeightValid(1080, screen));
    EXPECT_FALSE(AppWindow::isHeightValid(1081, screen));
}

TEST_F(AppWindowTest, OwnSkinHasItsOwnSectionAndFallsBackToItsDefault) {
    AppWindow::Setup about;
    about.name = "AboutWindow";
    about.hasOwnSkin = true;
    about.defaultSkin = "Classic LG";
    about.skinExists = [](std::string_view name) { return name == "Classic LG" || name == "Ink"; };
    AppWindow& window = makeWindow(std::move(about));

    EXPECT_EQ(window.skin(), "Classic LG");
    window.setSkin("Ink");
    EXPECT_EQ(store().getString("AboutWindow\\Skin", "", ""), "Ink");
    EXPECT_EQ(window.skin(), "Ink");
    window.setSkin("Gone");
    EXPECT_EQ(window.skin(), "Classic LG");
    // The application's skin is not touched.
    EXPECT_FALSE(store().valueExists("Skin", ""));
}

TEST_F(AppWindowTest, WindowWithoutOwnSkinUsesTheApplicationSkin) {
    AppWindow& window = makeWindow();
    window.setSkin("Ink");
    EXPECT_EQ(store().getString("Skin", "", ""), "Ink");
    EXPECT_EQ(window.skin(), "Ink");
    EXPECT_FALSE(store().valueExists("MainWindow\\Skin", ""));
}

struct RecordingTaskbar final : s::job::ITaskbarProgress {
    std::vector<std::string> calls;
    void taskbarBusy() override { calls.push_back("busy"); }
    void taskbarProgress(std::uint32_t done, std::uint32_t total) override {
        calls.push_back(std::to_string(done) + "/" + std::to_string(total));
    }
    void taskbarClear() override { calls.push_back("clear"); }
};

TEST_F(AppWindowTest, TaskbarOperationsGoToTheServiceOrNowhere) {
    AppWindow& window = makeWindow();
    window.taskbarBusy();  // no service: nothing happens
    window.taskbarProgress(1, 2);
    window.taskbarClear();

    RecordingTaskbar taskbar;
    window.setTaskbar(&taskbar);
    window.taskbarBusy();
    window.taskbarProgress(3, 7);
    window.taskbarClear();
    EXPECT_EQ(taskbar.calls, (std::vector<std::string>{"busy", "3/7", "clear"}));
}

}  // namespace
