#include "ui/drawers/text/Basic.h"

#include <QFontMetrics>
#include <QString>
#include <limits>
#include <vector>

#include "ui/drawers/PixelPen.h"
#include "ui/drawers/QtConversion.h"

namespace s::gui::drawer::text::win {

using s::gui::Rgb;
using s::gui::win::FontSetting;

namespace {

constexpr Rgb kBlack = Rgb::hex(0x000000);
constexpr Rgb kWhite = Rgb::hex(0xFFFFFF);

// One copy of the text: its offset from the text's place and its colour.
struct Copy {
    std::int32_t dx;
    std::int32_t dy;
    Rgb colour;
};

void addOutline(std::vector<Copy>& copies, Rgb colour, Rgb text) {
    for (std::int32_t dy = -1; dy <= 1; ++dy) {
        for (std::int32_t dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0) copies.push_back({dx, dy, colour});
        }
    }
    copies.push_back({1, 0, text});
}

// The copies an effect draws, in drawing order, the text itself last.
std::vector<Copy> copiesOf(const FontSetting& font) {
    const Rgb text = font.textColour;
    switch (font.effect) {
        case 1:
            return [&] {
                std::vector<Copy> copies;
                addOutline(copies, font.secondColour, text);
                return copies;
            }();
        case 2:
            return {{1, 1, text == kBlack ? Basic::kShadowOnBlack : Basic::kShadow}, {0, 0, text}};
        case 3:
            return {{2, 2, kBlack}, {0, 0, kWhite}, {1, 1, text}};
        case 4:
            return {{0, 0, kWhite}, {0, 2, kBlack}, {0, 1, text}};
        case 5:
            return {{2, 2, kWhite}, {0, 0, kBlack}, {1, 1, text}};
        case 6:
            return {{0, 0, kBlack}, {0, 2, kWhite}, {0, 1, text}};
        case 7:
            return [&] {
                std::vector<Copy> copies;
                addOutline(copies, font.thirdColour, text);
                return copies;
            }();
        default:
            return {{0, 0, text}};
    }
}

bool isOneLineElided(std::uint32_t layout) {
    return (layout & (TextCentred | TextEllipsis)) != 0;
}

int qtFlags(std::uint32_t layout) {
    if (layout & TextCentred) return Qt::AlignCenter | Qt::TextSingleLine;
    if (layout & TextEllipsis) return Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (layout & TextWordWrap) return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    return Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
}

}  // namespace

Basic::Basic() {
    reset();
}

void Basic::reset() {
    for (FontSetting& s : settings_) s = FontSetting{};
    setting(TextSetting::Normal).setTextColour(kNormalText);
    setting(TextSetting::Disabled).setTextColour(kDisabledText);
    setting(TextSetting::Link).setTextColour(kLinkText);
    setting(TextSetting::LinkHover).setTextColour(kLinkText);
    setting(TextSetting::LinkHover).setUnderline(true);
    setting(TextSetting::LinkPressed).setTextColour(kLinkText);
    setting(TextSetting::LinkPressed).setUnderline(true);
    centred_ = false;
}

FontSetting& Basic::setting(TextSetting which) {
    const auto index = static_cast<std::size_t>(which);
    return settings_[index < settings_.size() ? index : 0];
}

const FontSetting& Basic::setting(TextSetting which) const {
    const auto index = static_cast<std::size_t>(which);
    return settings_[index < settings_.size() ? index : 0];
}

TextExtent Basic::effectExtra(std::int32_t effect) {
    if (effect <= 0 || effect > 7) return {};
    const std::int32_t width = effect % 2 == 1 ? 2 : (effect == 2 ? 1 : 0);
    return {width, 1};
}

void Basic::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom, std::string_view text, const FontSetting& font,
                  std::uint32_t layout) const {
    if (PixelPen::isEmpty(left, top, right, bottom) || text.empty()) return;
    if (centred_) layout |= TextCentred;
    PixelPen pen(painter, left, top, right, bottom);
    QPainter& p = pen.painter();
    const QFont qfont = toQFont(font);
    p.setFont(qfont);
    p.setBackgroundMode(Qt::TransparentMode);

    const TextExtent extra = effectExtra(font.effect);
    // An outline reaches one pixel to the left of the text's place: the place
    // moves one pixel in, so the outline stays inside the measured width.
    const std::int32_t placeX = font.effect == 1 || font.effect == 7 ? 1 : 0;
    const QRect box(placeX, 0, pen.width() - extra.width, pen.height() - extra.height);
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (isOneLineElided(layout)) {
        shown = QFontMetrics(qfont).elidedText(shown, Qt::ElideRight, std::max(0, box.width()));
    }
    const int flags = qtFlags(layout);
    for (const Copy& copy : copiesOf(font)) {
        p.setPen(toQColor(copy.colour));
        p.drawText(box.translated(copy.dx, copy.dy), flags, shown);
    }
}

TextExtent Basic::measure(std::string_view text, const FontSetting& font, std::uint32_t layout,
                          std::int32_t wrapWidth) const {
    const QFontMetrics metrics(toQFont(font));
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    TextExtent extent;
    if ((layout & TextWordWrap) && !isOneLineElided(layout) && wrapWidth > 0) {
        const QRect bounds =
            metrics.boundingRect(QRect(0, 0, wrapWidth, std::numeric_limits<int>::max() / 4),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, string);
        extent = {bounds.width(), bounds.height()};
    } else {
        extent = {textWidth(toQFont(font), string), metrics.height()};
    }
    const TextExtent extra = effectExtra(font.effect);
    return {extent.width + extra.width, extent.height + extra.height};
}

}  // namespace s::gui::drawer::text::win
