// The text drawer: effect copies by colour and position, measuring, literal
// ampersands; font conversion and how a skin's setting meets a control's font.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "ui/drawers/QtConversion.h"
#include "ui/drawers/SkinFont.h"
#include "ui/drawers/text/Basic.h"

namespace s::gui::drawer {
namespace {

using s::gui::win::FontSetting;
using test::Canvas;

constexpr std::uint32_t kPaper = 0x2040A0;  // neither black, white nor a shadow grey

// "I" in a large sharp font: a solid bar, so its pixels and their copies are
// easy to find without knowing the glyph's exact shape.
Canvas paintBar(const FontSetting& font) {
    auto drawer = text::win::Basic::take();
    Canvas canvas(60, 70, kPaper);
    canvas.paint([&](QPainter& p) { drawer->paint(p, 10, 5, 60, 70, "I", font, 0); });
    return canvas;
}

FontSetting barFont(std::uint32_t textColour, std::int32_t effect) {
    FontSetting font = test::sharpFont(40);
    font.setTextColour(Rgb::hex(textColour));
    font.setEffect(effect);
    return font;
}

// Every text pixel whose neighbour at (dx, dy) is not text shows `colour` there.
void expectCopyAt(const Canvas& canvas, std::uint32_t text, int dx, int dy, std::uint32_t colour) {
    const auto textPixels = canvas.pixelsOf(text);
    ASSERT_GT(textPixels.size(), 20u) << "no glyph was drawn";
    int checked = 0;
    for (const auto& [x, y] : textPixels) {
        if (textPixels.count({x + dx, y + dy}) != 0) continue;
        EXPECT_EQ(canvas.at(x + dx, y + dy), colour) << "at " << x + dx << "," << y + dy;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST(TextEffects, ShadowOfEffect2IsLightGreyUnderBlackTextAndDarkGreyOtherwise) {
    const Canvas onBlack = paintBar(barFont(0x000000, 2));
    expectCopyAt(onBlack, 0x000000, 1, 1, 0xEEEEEE);
    EXPECT_TRUE(onBlack.pixelsOf(0x777777).empty());

    const Canvas onRed = paintBar(barFont(0xCC0000, 2));
    expectCopyAt(onRed, 0xCC0000, 1, 1, 0x777777);
    EXPECT_TRUE(onRed.pixelsOf(0xEEEEEE).empty());
}

TEST(TextEffects, CopiesLandWhereEachEffectPutsThem) {
    struct Case {
        std::int32_t effect;
        std::uint32_t text;
        // A copy colour and where it shows next to the text: (dx, dy) from text pixels.
        int dx, dy;
        std::uint32_t copy;
    };
    const Case cases[] = {
        // Outline in the second colour around the place; the text sits one pixel right of it.
        {1, 0xCC0000, -2, 0, 0x00FF00},
        {1, 0xCC0000, 0, 1, 0x00FF00},
        {7, 0xCC0000, -2, 0, 0x0000FF},
        // Black two down-right of the place, the text one down-right: black one further.
        {3, 0xCC0000, 1, 1, 0x000000},
        {3, 0xCC0000, -1, -1, 0xFFFFFF},
        {4, 0xCC0000, 0, 1, 0x000000},
        {4, 0xCC0000, 0, -1, 0xFFFFFF},
        {5, 0xCC0000, 1, 1, 0xFFFFFF},
        {5, 0xCC0000, -1, -1, 0x000000},
        {6, 0xCC0000, 0, 1, 0xFFFFFF},
        {6, 0xCC0000, 0, -1, 0x000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.effect));
        FontSetting font = barFont(c.text, c.effect);
        font.setSecondColour(Rgb::hex(0x00FF00));
        font.setThirdColour(Rgb::hex(0x0000FF));
        expectCopyAt(paintBar(font), c.text, c.dx, c.dy, c.copy);
    }
}

TEST(TextEffects, EffectZeroDrawsOnlyTheText) {
    const Canvas canvas = paintBar(barFont(0xCC0000, 0));
    std::size_t other = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t c = canvas.at(x, y);
            other += c != kPaper && c != 0xCC0000 ? 1 : 0;
        }
    }
    EXPECT_EQ(other, 0u);
}

TEST(TextMeasure, AddsWhatEachEffectDraws) {
    auto drawer = text::win::Basic::take();
    FontSetting font = test::sharpFont(13);
    const TextExtent plain = drawer->measure("Ready & go", font, 0, 0);
    ASSERT_GT(plain.width, 0);
    ASSERT_GT(plain.height, 0);
    const TextExtent extra[8] = {{0, 0}, {2, 1}, {1, 1}, {2, 1}, {0, 1}, {2, 1}, {0, 1}, {2, 1}};
    for (std::int32_t effect = 0; effect < 8; ++effect) {
        font.setEffect(effect);
        const TextExtent measured = drawer->measure("Ready & go", font, 0, 0);
        EXPECT_EQ(measured.width, plain.width + extra[effect].width) << "effect " << effect;
        EXPECT_EQ(measured.height, plain.height + extra[effect].height) << "effect " << effect;
    }
}

TEST(TextMeasure, WrapsToTheGivenWidthOnlyWhenAskedTo) {
    auto drawer = text::win::Basic::take();
    const FontSetting font = test::sharpFont(13);
    const std::string text = "several words that cannot share one short line";
    const TextExtent line = drawer->measure(text, font, 0, 60);
    const TextExtent wrapped = drawer->measure(text, font, TextWordWrap, 60);
    EXPECT_LE(wrapped.width, 60);
    EXPECT_GT(wrapped.height, 2 * line.height);
    EXPECT_GT(line.width, 60);
}

TEST(TextPaint, DrawsAmpersandsThemselves) {
    // A prefix character would be swallowed: "&&" would draw one "&", "&" none.
    auto drawer = text::win::Basic::take();
    FontSetting font = barFont(0x000000, 0);
    const auto inkOf = [&](std::string_view text) {
        Canvas canvas(120, 60, kPaper);
        canvas.paint([&](QPainter& p) { drawer->paint(p, 0, 0, 120, 60, text, font, 0); });
        return canvas.pixelsOf(0x000000).size();
    };
    const std::size_t one = inkOf("&");
    EXPECT_GT(one, 20u);
    EXPECT_NEAR(static_cast<double>(inkOf("&&")), 2.0 * one, 0.1 * one);
}

TEST(TextPaint, CentredTextIsElidedAndCentred) {
    auto drawer = text::win::Basic::take();
    drawer->setCentred(true);
    FontSetting font = barFont(0x000000, 0);
    Canvas canvas(100, 60, kPaper);
    canvas.paint([&](QPainter& p) { drawer->paint(p, 0, 0, 100, 60, "I", font, 0); });
    const auto ink = canvas.pixelsOf(0x000000);
    ASSERT_FALSE(ink.empty());
    int minX = 100, maxX = 0;
    for (const auto& [x, y] : ink) minX = std::min(minX, x), maxX = std::max(maxX, x);
    EXPECT_NEAR((minX + maxX) / 2.0, 50.0, 4.0);
}

TEST(FontConversion, CarriesHeightWeightStyleAndSmoothing) {
    FontSetting setting;
    setting.setFace("DejaVu Sans");
    setting.setHeight(-13);
    setting.setWeight(700);
    setting.setItalic(true);
    setting.setUnderline(true);
    setting.strikeOut = true;
    setting.smoothing = false;
    const QFont font = toQFont(setting);
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);

    const QFont defaults = toQFont(FontSetting{});
    EXPECT_FALSE(defaults.bold());
    EXPECT_EQ(defaults.styleStrategy() & QFont::NoAntialias, 0);
    EXPECT_EQ(defaults.pixelSize(), QFont().pixelSize());
}

TEST(SkinFont, FillsOnlyWhatTheSkinDecidedAndTheControlDidNot) {
    FontSetting control;
    control.setHeight(-20);
    control.setTextColour(Rgb::hex(0x112233));  // chosen by the control: stays
    FontSetting skin;
    skin.setTextColour(Rgb::hex(0xFFFFFF));
    skin.setEffect(2);
    skin.italic = true;  // not marked explicit: the skin did not decide it

    const FontSetting shown = withSkinSetting(control, skin);
    EXPECT_EQ(shown.textColour, Rgb::hex(0x112233));
    EXPECT_EQ(shown.height, -20);
    EXPECT_EQ(shown.effect, 2);
    EXPECT_FALSE(shown.italic);

    FontSetting plainControl;
    EXPECT_EQ(withSkinSetting(plainControl, skin).textColour, Rgb::hex(0xFFFFFF));
    // The skin's choice does not become the control's own: the next skin replaces it.
    EXPECT_FALSE(withSkinSetting(plainControl, skin).isExplicit(FontSetting::TextColour));
}

}  // namespace
}  // namespace s::gui::drawer
