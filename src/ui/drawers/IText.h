// s::gui::drawer::IText -- draws and measures the text of labels (and the
// captions and titles other drawers show).
//
// A text drawer holds five text settings, applied to a label's five fonts in
// the order of TextSetting. Painting leaves the background alone and draws in
// the font's text colour; the font's effect (0-7) adds coloured copies before
// the text. No character is ever taken as a keyboard shortcut: "&" is drawn
// as itself.
//
//     FontSetting font = withSkinSetting(labelFont, drawer.setting(TextSetting::Normal));
//     TextExtent size = drawer.measure("Ready", font, 0, 0);
//     drawer.paint(painter, 0, 0, size.width, size.height, "Ready", font, 0);
#pragma once

#include <QPainter>
#include <string_view>

#include "ui/drawers/IDrawer.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

enum class TextSetting : std::int32_t {
    Normal = 0,
    Disabled = 1,
    Link = 2,
    LinkHover = 3,
    LinkPressed = 4,
};
inline constexpr std::int32_t kTextSettingCount = 5;

// Layout flags of one paint or measure call.
enum TextLayout : std::uint32_t {
    // One line, centred both ways, ending in an ellipsis when too long.
    TextCentred = 1u << 0,
    // Lines wrapped at word boundaries to the rectangle's (measuring: the given) width.
    TextWordWrap = 1u << 1,
    // One line ending in an ellipsis when too long.
    TextEllipsis = 1u << 2,
};

struct TextExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

class IText : public IDrawer {
public:
    virtual s::gui::win::FontSetting& setting(TextSetting which) = 0;
    virtual const s::gui::win::FontSetting& setting(TextSetting which) const = 0;

    // A drawer marked for centring draws every text as TextCentred.
    virtual void setCentred(bool centred) = 0;
    virtual bool isCentred() const = 0;

    // `layout` is a combination of TextLayout flags; `text` is UTF-8.
    virtual void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, std::string_view text,
                       const s::gui::win::FontSetting& font, std::uint32_t layout) const = 0;

    // The text's extent plus what its effect adds: one pixel of height for any
    // effect, two of width for effects 1, 3, 5 and 7, one for effect 2.
    // With TextWordWrap, lines wrap at wrapWidth (when > 0).
    virtual TextExtent measure(std::string_view text, const s::gui::win::FontSetting& font,
                               std::uint32_t layout, std::int32_t wrapWidth) const = 0;
};

}  // namespace s::gui::drawer
