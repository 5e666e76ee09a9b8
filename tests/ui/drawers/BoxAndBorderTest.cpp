// Borders, box backgrounds and the rule that an empty rectangle paints nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Canvas.h"
#include "ui/drawers/BoxPainter.h"
#include "ui/drawers/border/Plain.h"
#include "ui/drawers/border/UnderWindowMenu.h"
#include "ui/drawers/button/Thin.h"
#include "ui/drawers/groupbox/Basic.h"
#include "ui/drawers/statusbar/Basic.h"
#include "ui/drawers/text/Basic.h"
#include "ui/drawers/window/Thin.h"

namespace s::gui::drawer {
namespace {

using test::Canvas;
using test::kUntouched;

TEST(PlainBorder, PaintsExactlyTheEdgePixelsOfA10x4Box) {
    auto border = border::win::Plain::take();
    border->setColour(0x91, 0x9B, 0x9C);
    // The box sits at (3, 2) in a larger canvas: nothing outside it may change either.
    Canvas canvas(16, 8);
    canvas.paint([&](QPainter& p) { border->paint(p, 3, 2, 13, 6); });

    int edge = 0, inner = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const bool inBox = x >= 3 && x < 13 && y >= 2 && y < 6;
            const bool onEdge = inBox && (x == 3 || x == 12 || y == 2 || y == 5);
            if (onEdge) {
                EXPECT_EQ(canvas.at(x, y), 0x919B9Cu) << x << "," << y;
                ++edge;
            } else {
                EXPECT_EQ(canvas.at(x, y), kUntouched) << x << "," << y;
                inner += inBox ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(edge, 24);
    EXPECT_EQ(inner, 16);
}

TEST(PlainBorder, ResetRestoresBlackLines) {
    auto border = border::win::Plain::take();
    border->setColour(1, 2, 3);
    border.reset();  // back to the pool, which resets it
    auto again = border::win::Plain::take();
    EXPECT_EQ(again->colour(), Rgb::hex(0x000000));
}

TEST(UnderWindowMenuBorder, EtchesTheTopTwoRowsOnly) {
    auto border = border::win::UnderWindowMenu::take();
    Canvas canvas(9, 7);
    canvas.paint([&](QPainter& p) { border->paint(p, 0, 0, 9, 7); });
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(canvas.at(x, 0), 0xACA899u);
        EXPECT_EQ(canvas.at(x, 1), 0xFFFFFFu);
        for (int y = 2; y < 7; ++y) EXPECT_EQ(canvas.at(x, y), kUntouched);
    }
}

TEST(BoxPainter, ChoosesTheBackgroundByHoverTransparencyAndWhatIsBehind) {
    QImage whitePanel(40, 40, QImage::Format_RGB32);
    whitePanel.fill(Qt::white);
    constexpr Rgb own = Rgb::hex(0x336699);
    constexpr Rgb hover = Rgb::hex(0xFFCC00);

    struct Case {
        std::string name;
        std::function<void(BoxLook&)> setUp;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"opaque shows its own colour", [](BoxLook& l) { l.transparent = false; }, 0x336699},
        {"transparent over a white panel shows white",
         [&](BoxLook& l) {
             l.behind = &whitePanel, l.behindOffset = {10, 10};
         },
         0xFFFFFF},
        {"transparent over a known colour",
         [](BoxLook& l) { l.hasBehindColour = true, l.behindColour = Rgb::hex(0xABCDEF); },
         0xABCDEF},
        {"transparent with nothing behind leaves the pixels", [](BoxLook&) {}, kUntouched},
        {"hovered shows the hover colour",
         [](BoxLook& l) { l.transparent = false, l.hasHoverColour = true, l.hovered = true; },
         0xFFCC00},
        {"hover colour only while hovered",
         [](BoxLook& l) { l.transparent = false, l.hasHoverColour = true; }, 0x336699},
    };
    for (const Case& c : cases) {
        BoxLook look;
        look.background = own;
        look.hoverColour = hover;
        c.setUp(look);
        Canvas canvas(12, 12);
        canvas.paint([&](QPainter& p) { BoxPainter::paint(p, 2, 2, 10, 10, look); });
        EXPECT_EQ(canvas.at(5, 5), c.expected) << c.name;
        EXPECT_EQ(canvas.at(2, 2), c.expected) << c.name;
        EXPECT_EQ(canvas.at(1, 1), kUntouched) << c.name << ": painted outside the box";
        EXPECT_EQ(canvas.at(10, 10), kUntouched) << c.name << ": painted outside the box";
    }
}

TEST(BoxPainter, CopiesTheAncestorsImageAtTheBoxOffsetThenPaintsTheBorder) {
    QImage behind(20, 20, QImage::Format_RGB32);
    behind.fill(Qt::white);
    behind.setPixel(6, 7, qRgb(0x10, 0x20, 0x30));
    auto border = border::win::Plain::take();
    border->setColour(0xFF, 0, 0);
    BoxLook look;
    look.background = Rgb::hex(0x000000);  // ignored: transparent
    look.behind = &behind;
    look.behindOffset = {5, 5};
    look.border = border.get();
    Canvas canvas(10, 10);
    canvas.paint([&](QPainter& p) { BoxPainter::paint(p, 0, 0, 10, 10, look); });
    EXPECT_EQ(canvas.at(1, 2), 0x102030u);  // (6, 7) of the ancestor
    EXPECT_EQ(canvas.at(4, 4), 0xFFFFFFu);
    EXPECT_EQ(canvas.at(0, 0), 0xFF0000u);
    EXPECT_EQ(canvas.at(9, 9), 0xFF0000u);
}

TEST(Drawers, PaintNothingIntoAnEmptyRectangle) {
    auto plain = border::win::Plain::take();
    auto menuLine = border::win::UnderWindowMenu::take();
    auto group = groupbox::win::Basic::take();
    auto status = statusbar::win::Basic::take();
    status->setGradient(true);
    status->setShowGrip(true);
    auto window = window::win::Thin::take();
    window->setBackground(Rgb::hex(0x00FF00));
    auto button = button::win::Thin::take();
    auto text = text::win::Basic::take();
    BoxLook opaque;
    opaque.transparent = false;

    const std::function<void(QPainter&, int, int, int, int)> painters[] = {
        [&](QPainter& p, int l, int t, int r, int b) { plain->paint(p, l, t, r, b); },
        [&](QPainter& p, int l, int t, int r, int b) { menuLine->paint(p, l, t, r, b); },
        [&](QPainter& p, int l, int t, int r, int b) {
            group->paint(p, l, t, r, b, "Title", test::sharpFont(12), 30, 14, true);
        },
        [&](QPainter& p, int l, int t, int r, int b) { status->paint(p, l, t, r, b); },
        [&](QPainter& p, int l, int t, int r, int b) { window->paint(p, l, t, r, b); },
        [&](QPainter& p, int l, int t, int r, int b) {
            button->paint(p, l, t, r, b, ButtonFace{"#X"});
        },
        [&](QPainter& p, int l, int t, int r, int b) {
            text->paint(p, l, t, r, b, "Text", test::sharpFont(12), 0);
        },
        [&](QPainter& p, int l, int t, int r, int b) { BoxPainter::paint(p, l, t, r, b, opaque); },
    };
    const int rectangles[][4] = {{5, 5, 5, 15}, {5, 5, 15, 5}, {10, 10, 4, 20}, {10, 10, 20, 2}};
    int index = 0;
    for (const auto& paint : painters) {
        for (const auto& r : rectangles) {
            Canvas canvas(24, 24);
            canvas.paint([&](QPainter& p) { paint(p, r[0], r[1], r[2], r[3]); });
            EXPECT_EQ(canvas.pixelsOf(kUntouched).size(), 24u * 24u)
                << "drawer " << index << " rect " << r[0] << "," << r[1] << "," << r[2] << ","
                << r[3];
        }
        ++index;
    }
}

}  // namespace
}  // namespace s::gui::drawer
