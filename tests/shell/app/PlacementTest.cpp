#include <gtest/gtest.h>

#include <algorithm>

#include "FrameFixture.h"
#include "shell/app/ScaleFactor.h"
#include "shell/app/WindowPlacement.h"

namespace {

using s::app::Rect;
using s::app::Screens;
using s::app::WindowPlacement;
using s::app::win::AppWindow;

// Two monitors side by side; the primary one has a 40-pixel panel on top.
const Screens kTwoScreens{{0, 0, 3840, 1080}, {0, 0, 1920, 1080}, {0, 40, 1920, 1040}};

TEST(WindowPlacementTest, ReachableOnlyWithTenPixelsInsideInEachDirection) {
    const Rect screen = kTwoScreens.virtualScreen;
    struct Case {
        Rect window;
        bool reachable;
    };
    const Case cases[] = {
        {{100, 100, 250, 250}, true},
        {{3830, 100, 250, 250}, true},   // left = virtual right - 10
        {{3831, 100, 250, 250}, false},  // one more and only 9 pixels show
        {{-240, 100, 250, 250}, true},   // right = virtual left + 10
        {{-241, 100, 250, 250}, false},
        {{100, 1070, 250, 250}, true},  // top = virtual bottom - 10
        {{100, 1071, 250, 250}, false},
        {{100, -240, 250, 250}, true},  // bottom = virtual top + 10
        {{100, -241, 250, 250}, false},
        {{100, 100, 10, 250}, false},  // width must exceed 10
        {{100, 100, 11, 250}, true},
        {{100, 100, 250, 10}, false},
        {{100, 100, -5, 250}, false},
        {{2147483000, 100, 2000, 250}, false},  // far right, no overflow
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowPlacement::isReachable(c.window, screen), c.reachable)
            << c.window.x << "," << c.window.y << " " << c.window.width << "x" << c.window.height;
    }
}

TEST(WindowPlacementTest, CentresInTheWorkAreaButNeverAboveOrLeftOfIt) {
    const Rect workArea = kTwoScreens.primaryWorkArea;
    EXPECT_EQ(WindowPlacement::centred(250, 250, workArea), (Rect{835, 435, 250, 250}));
    // Larger than the work area: pinned to its origin, below the panel.
    EXPECT_EQ(WindowPlacement::centred(3000, 2000, workArea), (Rect{0, 40, 3000, 2000}));
}

TEST(ScaleFactorTest, DisplayClassFromThePrimaryScreenSize) {
    struct Case {
        std::int32_t width, height, scale;
    };
    const Case cases[] = {
        {1920, 1080, 1}, {1920, 1620, 1}, {1921, 1620, 2}, {3840, 2160, 2},
        {2560, 1619, 1}, {4096, 3240, 2}, {4097, 3240, 4}, {7680, 4320, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s::app::ScaleFactor::forScreenSize(c.width, c.height), c.scale)
            << c.width << "x" << c.height;
    }
}

class RestorePlacementTest : public s::app::test::FrameFixture {};

TEST_F(RestorePlacementTest, NothingStoredCentresTheDefaultSize) {
    AppWindow& window = makeWindow();
    const AppWindow::Placement placement = window.restorePlacement(kTwoScreens);
    EXPECT_FALSE(placement.storedPosition);
    EXPECT_FALSE(placement.maximized);
    EXPECT_EQ(placement.rect, (Rect{835, 435, 250, 250}));
}

TEST_F(RestorePlacementTest, OnlyXStoredKeepsTheDefaultPositionAndTakesTheStoredSize) {
    store().setInt32(kView, "X", 300);
    store().setInt32(kView, "Width", 400);
    store().setInt32(kView, "Height", 300);
    AppWindow& window = makeWindow();
    EXPECT_FALSE(window.hasPosition());
    const AppWindow::Placement placement = window.restorePlacement(kTwoScreens);
    EXPECT_FALSE(placement.storedPosition);
    EXPECT_EQ(placement.rect, (Rect{760, 410, 400, 300}));
}

TEST_F(RestorePlacementTest, ReachableStoredPositionIsUsedOnAnyMonitor) {
    store().setInt32(kView, "X", 2500);
    store().setInt32(kView, "Y", -100);  // partly above the top, still 10 pixels in
    store().setBool(kView, "Maximized", true);
    AppWindow& window = makeWindow();
    const AppWindow::Placement placement = window.restorePlacement(kTwoScreens);
    EXPECT_TRUE(placement.storedPosition);
    EXPECT_TRUE(placement.maximized);
    EXPECT_EQ(placement.rect, (Rect{2500, -100, 250, 250}));
}

TEST_F(RestorePlacementTest, OffScreenStoredPositionIsCentredInTheWorkArea) {
    // A monitor that was unplugged: the window was at x 5000.
    store().setInt32(kView, "X", 5000);
    store().setInt32(kView, "Y", 200);
    store().setInt32(kView, "Width", 2500);
    store().setInt32(kView, "Height", 1500);
    AppWindow& window = makeWindow();
    const AppWindow::Placement placement = window.restorePlacement(kTwoScreens);
    EXPECT_FALSE(placement.storedPosition);
    EXPECT_EQ(placement.rect, (Rect{0, 40, 2500, 1500}));
}

class HideBookkeepingTest : public s::app::test::FrameFixture {
protected:
    std::vector<std::string> writes() {
        std::vector<std::string> sorted = store().writes;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
};

TEST_F(HideBookkeepingTest, NormalHideWritesOnlyMissingOrChangedValues) {
    store().setInt32(kView, "X", 100);
    store().setInt32(kView, "Y", 200);
    store().setInt32(kView, "Width", 300);
    store().setBool(kView, "Maximized", true);
    AppWindow& window = makeWindow();

    window.rememberOnHide(AppWindow::WindowState::Normal, Rect{100, 250, 300, 400});
    EXPECT_EQ(writes(),
              (std::vector<std::string>{"MainWindow\\View/Height", "MainWindow\\View/Maximized",
                                        "MainWindow\\View/Y"}));
    EXPECT_FALSE(window.maximized());
    EXPECT_EQ(window.y(), 250);
    EXPECT_EQ(window.height(), 400);

    store().writes.clear();
    window.rememberOnHide(AppWindow::WindowState::Normal, Rect{100, 250, 300, 400});
    EXPECT_TRUE(writes().empty());
}

TEST_F(HideBookkeepingTest, MaximizedAndMinimizedHides) {
    AppWindow& window = makeWindow();
    window.rememberOnHide(AppWindow::WindowState::Minimized, Rect{1, 2, 300, 400});
    EXPECT_TRUE(writes().empty());

    window.rememberOnHide(AppWindow::WindowState::Maximized, Rect{0, 0, 1920, 1040});
    EXPECT_EQ(writes(), (std::vector<std::string>{"MainWindow\\View/Maximized"}));
    EXPECT_TRUE(window.maximized());
    EXPECT_FALSE(window.hasX());

    store().writes.clear();
    window.rememberOnHide(AppWindow::WindowState::Maximized, Rect{0, 0, 1920, 1040});
    EXPECT_TRUE(writes().empty());
}

TEST_F(HideBookkeepingTest, MinimizeAndMaximizeStoreTheNormalRectangle) {
    AppWindow& window = makeWindow();
    window.rememberOnMaximize(Rect{10, 20, 300, 400});
    EXPECT_TRUE(window.maximized());
    EXPECT_EQ((Rect{window.x(), window.y(), window.width(), window.height()}),
              (Rect{10, 20, 300, 400}));
    window.rememberOnMinimize(Rect{30, 40, 310, 410});
    EXPECT_FALSE(window.maximized());
    EXPECT_EQ((Rect{window.x(), window.y(), window.width(), window.height()}),
              (Rect{30, 40, 310, 410}));

    window.forgetRect();
    EXPECT_FALSE(window.hasX() || window.hasY() || window.hasWidth() || window.hasHeight());
    EXPECT_EQ(window.width(), 250);
}

}  // namespace
