// The group box frame with its title gap and rounded corners, the status bar
// gradient and height, and the grip dots.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "ui/drawers/groupbox/Basic.h"
#include "ui/drawers/statusbar/Basic.h"
#include "ui/drawers/statusbar/BasicResizer.h"
#include "ui/drawers/statusbar/Thin.h"

namespace s::gui::drawer {
namespace {

using test::Canvas;
using test::kUntouched;

constexpr std::uint32_t kFrame = 0x919B9C;

Canvas paintGroupBox(int width, int height, int tw) {
    auto drawer = groupbox::win::Basic::take();
    drawer->setColour(0x91, 0x9B, 0x9C);
    Canvas canvas(width, height);
    // No title text: only the frame, with the gap a 'tw' wide title leaves.
    canvas.paint([&](QPainter& p) {
        drawer->paint(p, 0, 0, width, height, "", test::sharpFont(12), tw, 14, true);
    });
    return canvas;
}

TEST(GroupBoxFrame, LeavesAGapFrom7To50AroundA40PixelTitle) {
    const Canvas canvas = paintGroupBox(90, 30, 40);
    for (int x = 0; x < 90; ++x) {
        const bool framed = (x >= 2 && x <= 6) || (x >= 51 && x <= 87);
        EXPECT_EQ(canvas.at(x, 0), framed ? kFrame : kUntouched) << "x = " << x;
    }
    for (int x = 0; x < 90; ++x) {
        EXPECT_EQ(canvas.at(x, 29), x >= 2 && x <= 87 ? kFrame : kUntouched) << "x = " << x;
    }
    for (int y = 3; y <= 26; ++y) {
        EXPECT_EQ(canvas.at(0, y), kFrame) << "y = " << y;
        EXPECT_EQ(canvas.at(89, y), kFrame) << "y = " << y;
        EXPECT_EQ(canvas.at(1, y), kUntouched) << "y = " << y;
    }
}

TEST(GroupBoxFrame, RoundsEachCornerWithAThreeStepCurve) {
    // The top-left corner's 4 x 4 pixels; the other corners are its mirror images.
    const char* const corner[4] = {
        "..##",
        ".##.",
        "##..",
        "#...",
    };
    const int w = 20, h = 16;
    const Canvas canvas = paintGroupBox(w, h, 0);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t expected = corner[y][x] == '#' ? kFrame : kUntouched;
            EXPECT_EQ(canvas.at(x, y), expected) << "top-left " << x << "," << y;
            EXPECT_EQ(canvas.at(w - 1 - x, y), expected) << "top-right " << x << "," << y;
            EXPECT_EQ(canvas.at(x, h - 1 - y), expected) << "bottom-left " << x << "," << y;
            EXPECT_EQ(canvas.at(w - 1 - x, h - 1 - y), expected)
                << "bottom-right " << x << "," << y;
        }
    }
}

TEST(GroupBoxFrame, DrawsTheTitleAboveTheFrameLineInItsDefaultBlue) {
    auto drawer = groupbox::win::Basic::take();
    const int th = 24;
    Canvas canvas(80, 60);
    // The group box passes the rectangle whose top is th / 2 below its own.
    canvas.paint([&](QPainter& p) {
        drawer->paint(p, 0, th / 2, 80, 60, "\u2588", test::sharpFont(20), 20, th, true);
    });
    bool aboveFrame = false;
    for (const auto& [x, y] : canvas.pixelsOf(0x0046D5)) {
        EXPECT_GE(x, 9);
        EXPECT_LT(x, 29);
        aboveFrame = aboveFrame || y < th / 2;
    }
    EXPECT_TRUE(aboveFrame) << "the title's upper half is missing";
    EXPECT_EQ(canvas.at(4, th / 2), 0xD0D0BFu);  // default frame colour
}

TEST(StatusBar, IsTwentyThreePixelsHighTimesTheScale) {
    auto basic = statusbar::win::Basic::take();
    auto thin = statusbar::win::Thin::take();
    for (const auto& [scale, height] : {std::pair{1, 23}, {2, 46}, {4, 92}}) {
        EXPECT_EQ(basic->height(scale), height);
        EXPECT_EQ(thin->height(scale), height);
    }
}

TEST(StatusBar, PaintsItsGradientOnlyWhenAskedAndTheGripOnlyWithItsFlag) {
    auto bar = statusbar::win::Basic::take();
    const int w = 60, h = 23;
    Canvas plain(w, h);
    plain.paint([&](QPainter& p) { bar->paint(p, 0, 0, w, h); });
    EXPECT_EQ(plain.pixelsOf(kUntouched).size(), std::size_t{w * h});

    bar->setGradient(true);
    Canvas gradient(w, h);
    gradient.paint([&](QPainter& p) { bar->paint(p, 0, 0, w, h); });
    const std::pair<int, std::uint32_t> rows[] = {
        {0, 0x959385},     {1, 0xBFBDB0},     {2, 0xD7D4C5},      {3, 0xE8E5D4},
        {4, 0xEEEBD9},     {5, 0xECE9D8},     {h - 10, 0xECE9D8}, {h - 9, 0xEBE8D4},
        {h - 7, 0xEBE8D4}, {h - 6, 0xEAE6D3}, {h - 5, 0xE7E4D1},  {h - 4, 0xE3E1CD},
        {h - 3, 0xDDDBC7}, {h - 2, 0xD9D6C0}, {h - 1, 0xDFDCCA},
    };
    for (const auto& [row, colour] : rows) EXPECT_EQ(gradient.at(w / 2, row), colour) << row;
    EXPECT_NE(gradient.at(0, 0), 0x959385u) << "top corners are not rounded";
    EXPECT_EQ(gradient.at(w - 5, h - 3), 0xDDDBC7u) << "grip drawn without its flag";

    bar->setShowGrip(true);
    Canvas withGrip(w, h);
    withGrip.paint([&](QPainter& p) { bar->paint(p, 0, 0, w, h); });
    EXPECT_EQ(withGrip.at(w - 4, h - 4), 0xB8B5A1u);
}

TEST(Grip, DrawsSixGreyDotsEachWithAWhiteDotDownAndRight) {
    auto grip = statusbar::win::BasicResizer::take();
    const int w = 20, h = 18;
    Canvas canvas(w, h);
    canvas.paint([&](QPainter& p) { grip->paint(p, 0, 0, w, h); });
    std::set<std::pair<int, int>> grey, white;
    for (const auto& [dx, dy] : {std::pair{4, 12}, {4, 8}, {8, 8}, {4, 4}, {8, 4}, {12, 4}}) {
        const int x = w - dx, y = h - dy;
        for (const auto& [px, py] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
            grey.insert({x + px, y + py});
        }
        for (const auto& [px, py] : {std::pair{2, 1}, {1, 2}, {2, 2}}) {
            white.insert({x + px, y + py});
        }
    }
    EXPECT_EQ(canvas.pixelsOf(0xB8B5A1), grey);
    EXPECT_EQ(canvas.pixelsOf(0xFFFFFF), white);
    EXPECT_EQ(canvas.pixelsOf(kUntouched).size(), std::size_t{w * h} - grey.size() - white.size());
}

}  // namespace
}  // namespace s::gui::drawer
