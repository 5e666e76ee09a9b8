// Paints every drawer, and each theme's window, button and text, into one
// picture (drawers-sampler.png in the working folder) for people to look at;
// as a test it checks that every theme's window shows its own colours.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "Canvas.h"
#include "ui/drawers/BoxPainter.h"
#include "ui/drawers/SkinFont.h"
#include "ui/drawers/Skinner.h"
#include "ui/drawers/ThinWindowThemes.h"
#include "ui/drawers/border/Plain.h"
#include "ui/drawers/border/UnderWindowMenu.h"
#include "ui/drawers/groupbox/Basic.h"
#include "ui/drawers/statusbar/Basic.h"

namespace s::gui::drawer {
namespace {

using s::gui::win::FontSetting;

constexpr int kTileWidth = 240;
constexpr int kTileHeight = 150;

FontSetting sampleFont() {
    FontSetting font;
    font.setFace("DejaVu Sans");
    font.setHeight(-12);
    return font;
}

// One skin's window with a label, a link, a disabled label, buttons in their
// states and a row of the other controls.
void paintSkin(QPainter& p, int x, int y, ISkin& skin) {
    const int w = kTileWidth - 8, h = kTileHeight - 8;
    skin.windowDrawer()->paint(p, x, y, x + w, y + h);
    const IText& text = *skin.textDrawer();
    const auto label = [&](TextSetting which, std::string_view s, int tx, int ty,
                           std::int32_t effect) {
        FontSetting font = withSkinSetting(sampleFont(), text.setting(which));
        font.effect = effect;
        const TextExtent size = text.measure(s, font, 0, 0);
        text.paint(p, x + tx, y + ty, x + tx + size.width, y + ty + size.height, s, font, 0);
    };
    label(TextSetting::Normal, skin.name(), 6, 4, 0);
    label(TextSetting::Normal, "Outline & shadow", 6, 20, 7);
    label(TextSetting::Normal, "Shadow", 150, 20, 2);
    label(TextSetting::LinkHover, "zorq.org", 6, 36, 0);
    label(TextSetting::Disabled, "Disabled", 90, 36, 0);
    const char* captions[] = {"OK", "Hover", "Pressed", "#X"};
    for (int i = 0; i < 4; ++i) {
        ButtonFace face(captions[i]);
        face.font = sampleFont();
        face.state = i < 3 ? i : 0;
        skin.buttonDrawer()->paint(p, x + 6 + i * 56, y + 56, x + 56 + i * 56, y + 76, face);
    }
    ButtonFace on("On");
    on.font = sampleFont();
    on.switchedOn = true;
    skin.buttonDrawer()->paint(p, x + 6, y + 80, x + 56, y + 100, on);
    ButtonFace off("Off");
    off.font = sampleFont();
    off.enabled = false;
    skin.buttonDrawer()->paint(p, x + 62, y + 80, x + 112, y + 100, off);

    ToggleFace tick{"Tick", sampleFont(), true};
    skin.checkBoxDrawer()->paint(p, x + 118, y + 80, x + 176, y + 98, tick);
    skin.radioButtonDrawer()->paint(p, x + 176, y + 80, x + 230, y + 98, tick);
    skin.sliderDrawer()->paint(p, x + 6, y + 104, x + 80, y + 118, SliderFace{0, 100, 60, true});
    skin.scrollBarDrawer()->paint(p, x + 84, y + 104, x + 160, y + 114,
                                  ScrollBarFace{0, 100, 30, 40, false});
    skin.counterDrawer()->paint(p, x + 164, y + 104, x + 200, y + 120, "42", sampleFont());
    skin.comboDrawer()->paint(p, x + 6, y + 122, x + 80, y + 140, ComboFace{"Combo", sampleFont()});
    skin.listHeaderDrawer()->paint(p, x + 84, y + 122, x + 140, y + 138, "Name", sampleFont(),
                                   false);
    skin.listBoxDrawer()->paintRow(p, x + 144, y + 122, x + 230, y + 130,
                                   ListRowFace{"Row", sampleFont(), 1, false});
    skin.menuDrawer()->paint(p, x + 144, y + 130, x + 230, y + 140,
                             MenuEntryFace{"", sampleFont(), true});
    skin.statusBarDrawer()->paint(p, x + 1, y + h - 4, x + w - 1, y + h - 1);
}

// The drawers of windows without a skin, on a white panel.
void paintDefaults(QPainter& p, int x, int y) {
    p.fillRect(x, y, kTileWidth - 8, kTileHeight - 8, Qt::white);
    auto menuLine = border::win::UnderWindowMenu::take();
    menuLine->paint(p, x, y, x + kTileWidth - 8, y + 7);
    auto plain = border::win::Plain::take();
    plain->setColour(0x91, 0x9B, 0x9C);
    BoxLook look;
    look.transparent = false;
    look.background = Rgb::hex(0xFFFFFF);
    look.border = plain.get();
    BoxPainter::paint(p, x + 4, y + 10, x + 110, y + 40, look);
    auto group = groupbox::win::Basic::take();
    group->setColour(0x91, 0x9B, 0x9C);
    text::win::Basic measure;
    const TextExtent title = measure.measure("Drop Box", sampleFont(), 0, 0);
    group->paint(p, x + 116, y + 10 + title.height / 2, x + 228, y + 80, "Drop Box", sampleFont(),
                 title.width, title.height, true);
    auto bar = statusbar::win::Basic::take();
    bar->setGradient(true);
    bar->setShowGrip(true);
    bar->paint(p, x, y + kTileHeight - 8 - bar->height(1), x + kTileWidth - 8, y + kTileHeight - 8);
}

TEST(Sampler, PaintsEveryDrawerAndEachThemesWindow) {
    auto skinner = Skinner::newThinWindowSkinner();
    constexpr int columns = 4;
    const int rows = (skinner->skinCount() + 1 + columns - 1) / columns;
    QImage sampler(columns * kTileWidth, rows * kTileHeight, QImage::Format_RGB32);
    sampler.fill(QColor(0x80, 0x80, 0x80));
    {
        QPainter p(&sampler);
        paintDefaults(p, 4, 4);
        for (std::int32_t i = 0; i < skinner->skinCount(); ++i) {
            const int tile = i + 1;
            paintSkin(p, (tile % columns) * kTileWidth + 4, (tile / columns) * kTileHeight + 4,
                      *skinner->skinAt(i));
        }
    }
    EXPECT_TRUE(sampler.save("drawers-sampler.png"));

    const auto themes = thinWindowThemes();
    for (std::size_t i = 0; i < themes.size(); ++i) {
        const int tile = static_cast<int>(i) + 1;
        const int x = (tile % columns) * kTileWidth + 4, y = (tile / columns) * kTileHeight + 4;
        EXPECT_EQ(sampler.pixel(x, y) & 0xFFFFFFu, themes[i].colours.windowFrame.toHex())
            << themes[i].name;
        EXPECT_EQ(sampler.pixel(x + 3, y + 50) & 0xFFFFFFu, themes[i].colours.background.toHex())
            << themes[i].name;
    }
}

}  // namespace
}  // namespace s::gui::drawer
