// The thin button: frame and fill colours by state, the caption's movement,
// and the glyph captions.
#include <gtest/gtest.h>

#include <climits>

#include "Canvas.h"
#include "ui/drawers/button/Thin.h"

namespace s::gui::drawer {
namespace {

using test::Canvas;
using test::kUntouched;

constexpr std::uint32_t kFrame = 0x111111, kDisabled = 0x565656, kOnFrame = 0x222222,
                        kOnFill = 0x191919, kCaption = 0xFFFFFF, kOnCaption = 0xEEEEEE,
                        kDisabledCaption = 0x565657;

s::thread::Pooled<button::win::Thin> makeButton() {
    auto button = button::win::Thin::take();
    button->setColours(
        {Rgb::hex(kFrame), Rgb::hex(kDisabled), Rgb::hex(kOnFrame), Rgb::hex(kOnFill)});
    button->captionSetting(button::win::Thin::CaptionNormal).setTextColour(Rgb::hex(kCaption));
    button->captionSetting(button::win::Thin::CaptionSwitchedOn)
        .setTextColour(Rgb::hex(kOnCaption));
    button->captionSetting(button::win::Thin::CaptionDisabled)
        .setTextColour(Rgb::hex(kDisabledCaption));
    return button;
}

struct Bounds {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
};

Bounds boundsOf(const Canvas& canvas, std::uint32_t colour) {
    Bounds b;
    for (const auto& [x, y] : canvas.pixelsOf(colour)) {
        b.left = std::min(b.left, x), b.top = std::min(b.top, y);
        b.right = std::max(b.right, x), b.bottom = std::max(b.bottom, y);
    }
    return b;
}

TEST(ThinButton, FramesAndFillsByEnabledAndSwitchedOnState) {
    auto button = makeButton();
    struct Case {
        bool enabled, switchedOn;
        std::uint32_t frame, inside, caption;
    };
    const Case cases[] = {
        {true, false, kFrame, kUntouched, kCaption},
        {true, true, kOnFrame, kOnFill, kOnCaption},
        {false, false, kDisabled, kUntouched, kDisabledCaption},
        {false, true, kDisabled, kOnFill, kDisabledCaption},
    };
    for (const Case& c : cases) {
        ButtonFace face{"#X"};
        face.enabled = c.enabled;
        face.switchedOn = c.switchedOn;
        Canvas canvas(40, 24);
        canvas.paint([&](QPainter& p) { button->paint(p, 0, 0, 40, 24, face); });
        const std::string name =
            std::string(c.enabled ? "enabled" : "disabled") + (c.switchedOn ? ", switched on" : "");
        EXPECT_EQ(canvas.at(0, 0), c.frame) << name;
        EXPECT_EQ(canvas.at(39, 23), c.frame) << name;
        EXPECT_EQ(canvas.at(1, 1), c.inside) << name;
        EXPECT_FALSE(canvas.pixelsOf(c.caption).empty()) << name << ": caption colour";
    }
}

TEST(ThinButton, MovesTheCaptionUpOnHoverAndDownWhenPressedSwappedWhenSwitchedOn) {
    auto button = makeButton();
    struct Case {
        std::int32_t state;
        bool switchedOn;
        int shift;  // in scale units; + is down and right
    };
    const Case cases[] = {
        {ButtonFace::Normal, false, 0},  {ButtonFace::Hover, false, -1},
        {ButtonFace::Pressed, false, 1}, {ButtonFace::Normal, true, 0},
        {ButtonFace::Hover, true, 1},    {ButtonFace::Pressed, true, -1},
    };
    for (const std::int32_t scale : {1, 2}) {
        const auto captionBounds = [&](std::int32_t state, bool on) {
            ButtonFace face{"#X"};
            face.state = state;
            face.switchedOn = on;
            face.scale = scale;
            Canvas canvas(40 * scale, 24 * scale);
            canvas.paint([&](QPainter& p) {
                button->paint(p, 0, 0, canvas.width(), canvas.height(), face);
            });
            return boundsOf(canvas, on ? kOnCaption : kCaption);
        };
        for (const Case& c : cases) {
            const Bounds rest = captionBounds(ButtonFace::Normal, c.switchedOn);
            const Bounds moved = captionBounds(c.state, c.switchedOn);
            EXPECT_EQ(moved.left - rest.left, c.shift * scale)
                << "state " << c.state << (c.switchedOn ? " on" : "") << " scale " << scale;
            EXPECT_EQ(moved.top - rest.top, c.shift * scale);
            EXPECT_EQ(moved.right - moved.left, rest.right - rest.left);
        }
    }
}

TEST(ThinButton, DrawsACloseCrossForHashX) {
    auto button = makeButton();
    Canvas canvas(30, 30);
    canvas.paint([&](QPainter& p) { button->paint(p, 0, 0, 30, 30, ButtonFace{"#X"}); });
    const auto ink = canvas.pixelsOf(kCaption);
    const Bounds b = boundsOf(canvas, kCaption);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(b.right - b.left, b.bottom - b.top) << "the cross is square";
    // Both diagonals: the four corners of its square and no pixel off them.
    for (const auto& corner :
         {std::pair{b.left, b.top}, {b.right, b.top}, {b.left, b.bottom}, {b.right, b.bottom}}) {
        EXPECT_EQ(ink.count(corner), 1u);
    }
    for (const auto& [x, y] : ink) {
        EXPECT_TRUE(x - b.left == y - b.top || b.right - x == y - b.top) << x << "," << y;
    }
}

}  // namespace
}  // namespace s::gui::drawer
